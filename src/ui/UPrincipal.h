#pragma once

#include <array>
#include <memory>

#include <QString>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class TFrmPrincipal;
}

namespace vorlane {

// The main window: the four pages, their handlers and the state that lives as long as it.
class TFrmPrincipal : public QWidget {
  Q_OBJECT

 public:
  explicit TFrmPrincipal(QWidget* parent = nullptr);
  ~TFrmPrincipal() override;

  const QString& dirBase() const { return DirBase; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void bindHandlers();
  void FormCreate();
  void FormDestroy();

  // Emulator configuration file.
  QString emulatorConfigPath() const;
  void readEmulatorConfig();
  void btnAplicarDIPClick();
  std::array<QLineEdit*, 3> directoryFields() const;
  std::array<QCheckBox*, 6> switchBoxes() const;

  // Keyboard: Enter clicks the default button of the page that is showing.
  QPushButton* defaultButtonOfCurrentPage() const;
  bool handleEnter(QWidget* focus);

  std::unique_ptr<Ui::TFrmPrincipal> m_ui;
  QString DirBase;
};

}  // namespace vorlane
