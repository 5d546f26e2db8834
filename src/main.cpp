#include <QApplication>

#include "ui/Application.h"
#include "ui/UPrincipal.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  vorlane::setUpApplication(application);
  vorlane::TFrmPrincipal FrmPrincipal;
  FrmPrincipal.show();
  return application.exec();
}
