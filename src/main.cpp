#include <QApplication>

#include "ui/Application.h"
#include "ui/UEditor.h"
#include "ui/UPrincipal.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  vorlane::setUpApplication(application);
  vorlane::TFrmPrincipal FrmPrincipal;
  if (!FrmPrincipal.hasBaseDirectory()) {
    return 1;
  }
  vorlane::TFrmEditor FrmEditor;
  FrmPrincipal.setDriverEditor(&FrmEditor);
  FrmPrincipal.show();
  return application.exec();
}
