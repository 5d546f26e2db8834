#pragma once

#include <memory>

#include <QByteArray>
#include <QDialog>
#include <QString>

#include "core/settings/ProfileFile.h"

namespace Ui {
class TFrmEditor;
}

namespace vorlane {

// The driver editor: one driver file as plain text, with a list of its sections that moves the
// caret to a section's header. Created once, hidden; every opening shows the same window.
class TFrmEditor : public QDialog {
  Q_OBJECT

 public:
  explicit TFrmEditor(QWidget* parent = nullptr);
  ~TFrmEditor() override;

  // The driver file that the next opening edits and saves.
  void setArquivoDriver(const QString& path) { ArquivoDriver = path; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void bindHandlers();
  void FormShow();
  void FormClose();
  void tbtnSalvarClick();
  void cboSecoesChange();

  void listSections();
  void loadDriverText();
  void showLoadFailure();
  QString widgetText() const;
  void replaceText(const QString& widgetText);
  void moveCaretInView(int position);

  std::unique_ptr<Ui::TFrmEditor> m_ui;
  QString ArquivoDriver;
  // Exists only while the window is open.
  std::unique_ptr<ProfileFile> IniDriver;
  // The file as last loaded or saved: a text the user did not change is saved as these bytes.
  QByteArray m_fileBytes;
};

}  // namespace vorlane
