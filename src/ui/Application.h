#pragma once

class QApplication;

namespace vorlane {

// Title, fonts and icon of the application, shared by the program and its window tests.
void setUpApplication(QApplication& application);

}  // namespace vorlane
