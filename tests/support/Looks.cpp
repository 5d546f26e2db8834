#include "support/Looks.h"

#include <utility>

#include <QApplication>
#include <QStyleFactory>

#include "ui/common/FocusFrameStyle.h"

namespace vorlane::test {
namespace {

QPalette darkPalette() {
  const QColor window(0x35, 0x35, 0x35);
  const QColor text(0xee, 0xee, 0xee);
  QPalette dark;
  for (const auto& [role, colour] : {std::pair{QPalette::Window, window},
                                     {QPalette::Button, window},
                                     {QPalette::Base, QColor(0x2a, 0x2a, 0x2a)},
                                     {QPalette::AlternateBase, window},
                                     {QPalette::WindowText, text},
                                     {QPalette::ButtonText, text},
                                     {QPalette::Text, text},
                                     {QPalette::Highlight, QColor(0x2a, 0x82, 0xda)},
                                     {QPalette::HighlightedText, text},
                                     {QPalette::Light, QColor(0x50, 0x50, 0x50)},
                                     {QPalette::Midlight, QColor(0x45, 0x45, 0x45)},
                                     {QPalette::Mid, QColor(0x25, 0x25, 0x25)},
                                     {QPalette::Dark, QColor(0x1a, 0x1a, 0x1a)},
                                     {QPalette::Shadow, QColor(0x0a, 0x0a, 0x0a)}}) {
    dark.setColor(role, colour);
  }
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
    dark.setColor(QPalette::Disabled, role, QColor(0x7f, 0x7f, 0x7f));
  }
  return dark;
}

}  // namespace

LookScope::LookScope(const Look& look) : m_palette(QApplication::palette()) {
  QApplication::setStyle(
      new FocusFrameStyle(QStyleFactory::create(QString::fromLatin1(look.style))));
  if (look.dark) {
    QApplication::setPalette(darkPalette());
  }
}

LookScope::~LookScope() {
  QApplication::setStyle(new FocusFrameStyle);
  QApplication::setPalette(m_palette);
}

}  // namespace vorlane::test
