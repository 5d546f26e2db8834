#include "ui/Application.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>

#include "core/start/ProgramInfo.h"
#include "core/start/ProgramVersion.h"
#include "ui/common/FocusFrameStyle.h"
#include "ui/common/MessageBoxes.h"

// The pictures live in this static library; naming them keeps the linker from dropping them.
static void initResources() {
  Q_INIT_RESOURCE(vorlane);
}

namespace vorlane {
namespace {

QFont layoutFont() {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  // The layout's widths were drawn for a narrower face than its stand-in: set a little tighter,
  // every caption and list item fits the place drawn for it.
  font.setLetterSpacing(QFont::AbsoluteSpacing, -0.35);
  return font;
}

// Some desktop themes set their own application font once the program runs; the layout's
// places were drawn for its own font, and with the theme's its longer captions were cut.
class LayoutFontKeeper : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ApplicationFontChange && watched == QCoreApplication::instance() &&
        QApplication::font() != layoutFont()) {
      // Not from inside the change, which is still telling the windows about it.
      QMetaObject::invokeMethod(
          this, [] { QApplication::setFont(layoutFont()); }, Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace

void setUpApplication(QApplication& application) {
  initResources();
  holdDescriptorForBoxes();
  application.setApplicationName(QString::fromLatin1(kApplicationTitle));
  application.setApplicationVersion(programVersion());
  // Docks and Wayland find the menu entry, and with it the icon, by this name.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
  QApplication::setStyle(new FocusFrameStyle);
  // The layouts name their fonts by the names the language files and layouts were measured with;
  // free fonts with the same metrics stand in, so every caption keeps the width drawn for it.
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
  QApplication::setFont(layoutFont());
  application.installEventFilter(new LayoutFontKeeper(&application));

  QIcon icon;
  for (const char* size : {"16", "32", "48"}) {
    icon.addFile(QStringLiteral(":/icons/vorlane-%1.png").arg(QLatin1String(size)));
  }
  QApplication::setWindowIcon(icon);
}

}  // namespace vorlane
