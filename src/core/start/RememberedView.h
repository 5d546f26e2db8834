#pragma once

#include <QByteArray>
#include <QString>

#include "core/catalogue/GameNameOrder.h"
#include "core/start/RememberedFile.h"

namespace vorlane {

// How the main window was left. The defaults are how it starts when nothing is remembered.
struct ViewSettings {
  QByteArray windowGeometry;  // as the window saved it, opaque here; empty when none is known
  bool maximised = false;
  bool fullScreen = false;
  // The preview fits the whole picture into its area, keeping its shape, rather than filling it.
  bool keepPictureShape = false;
  ListOrder listOrder = ListOrder::ByFileName;
  // The list leaves out the games whose ROM archive is missing.
  bool onlyWithRomArchive = false;

  friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

// What the window remembers between runs, in the user's remembered file beside the remembered
// base directory: its view, and for each base directory the game last started with Play. A value
// that is missing or that this program would not have written reads as the default.
class RememberedView {
 public:
  // The most base directories whose last game is kept; the least recently played goes first.
  static constexpr qsizetype kMostBaseDirectories = 32;

  explicit RememberedView(QString settingsPath = RememberedFile::defaultPath());

  ViewSettings view() const;
  // Writes every value of `view`, keeping what else the file remembers. Throws as
  // RememberedFile::write does.
  void rememberView(const ViewSettings& view) const;

  // The driver file name last played in `baseDirectory` (any bytes, as the window names the
  // directory), as its bytes; empty when none is remembered.
  QByteArray lastPlayed(const QString& baseDirectory) const;
  // Throws as RememberedFile::write does.
  void rememberLastPlayed(const QString& baseDirectory, const QByteArray& driverFile) const;

 private:
  RememberedFile m_file;
};

}  // namespace vorlane
