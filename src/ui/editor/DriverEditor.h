#pragma once

#include <memory>

#include <QByteArray>
#include <QDialog>
#include <QString>

#include "core/settings/ProfileFile.h"

namespace Ui {
class DriverEditor;
}

namespace vorlane {

// The driver editor: one driver file as plain text, with a list of its sections that moves the
// caret into a section. Created once, hidden; every opening shows the same window. Every way of
// closing it (Escape, the close button, the window's close box) asks first while the text holds
// changes that are not saved.
class DriverEditor : public QDialog {
  Q_OBJECT

 public:
  explicit DriverEditor(QWidget* parent = nullptr);
  ~DriverEditor() override;

  // The driver file that the next opening edits and saves.
  void setDriverFile(const QString& path) { m_driverFile = path; }

  // Escape, the close button and the window's close box all end here.
  void reject() override;

 Q_SIGNALS:
  // The driver file was written.
  void saved();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void bindHandlers();
  void runShowSteps();
  void runCloseSteps();
  void tbtnSalvarClick();
  void cboSecoesChange();
  // True when the window may close: nothing unsaved, or the user saved or discarded it.
  bool settleUnsavedChanges();

  void listSections();
  void loadDriverText();
  void showLoadFailure();
  // The text is the file's, as loaded or saved.
  void markUnchanged();
  QString widgetText() const;
  void replaceText(const QString& widgetText);
  void moveCaretInView(int position);

  std::unique_ptr<Ui::DriverEditor> m_ui;
  QString m_driverFile;
  // Exists only while the window is open.
  std::unique_ptr<ProfileFile> m_driverProfile;
  // The file as last loaded or saved: a text the user did not change is saved as these bytes.
  QByteArray m_fileBytes;
};

}  // namespace vorlane
