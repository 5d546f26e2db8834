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
// caret to a section's header. Created once, hidden; every opening shows the same window.
class DriverEditor : public QDialog {
  Q_OBJECT

 public:
  explicit DriverEditor(QWidget* parent = nullptr);
  ~DriverEditor() override;

  // The driver file that the next opening edits and saves.
  void setDriverFile(const QString& path) { m_driverFile = path; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void bindHandlers();
  void runShowSteps();
  void runCloseSteps();
  void tbtnSalvarClick();
  void cboSecoesChange();

  void listSections();
  void loadDriverText();
  void showLoadFailure();
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
