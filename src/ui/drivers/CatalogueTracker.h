#pragma once

#include <QObject>
#include <QString>

namespace vorlane {

class CatalogueModel;
class CatalogueRefresh;
class FolderWatch;
struct DriverRecord;

// Keeps the catalogue in step with the folders of its last scan while the program runs. It
// holds those folders (drivers, ROM archives, previews), feeds the model every scan, and
// watches the folders: a change of the driver folder scans the drivers again, one of the ROM
// folder only looks for the archives again (their names are known), both off the window's
// thread and straight into the model as row changes. No busy pointer and no box: the user may
// be doing something else.
class CatalogueTracker : public QObject {
  Q_OBJECT

 public:
  CatalogueTracker(CatalogueModel* model, QObject* parent);

  // A whole scan of `driverDirectory` (absolute) with its archives looked for in `romDirectory`:
  // the model takes every row, and the folders are followed from now on.
  void takeScan(QList<DriverRecord> drivers, const QString& driverDirectory,
                const QString& romDirectory, const QString& previewDirectory);
  // Scans again now, as when both folders changed.
  void refresh();

  // The driver folder of the last scan: absolute, without a trailing "/".
  const QString& driverDirectory() const { return m_driverDirectory; }

 Q_SIGNALS:
  // The model took a refresh's rows in place (they may be the same as before).
  void refreshed();
  // Whether a folder is followed by looking at it again in turns, for want of a watch.
  void pollingChanged(bool polling);
  // A file of the preview folder came, went or changed.
  void previewsChanged();

 private:
  CatalogueModel* m_model;
  CatalogueRefresh* m_refresh;
  FolderWatch* m_driverWatch;
  FolderWatch* m_romWatch;
  FolderWatch* m_previewWatch;
  QString m_driverDirectory;
};

}  // namespace vorlane
