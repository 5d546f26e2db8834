#pragma once

#include <QObject>

#include "core/start/RememberedView.h"

class QListView;
class QPoint;
class QWidget;

namespace vorlane {

class CatalogueFilter;
class CatalogueModel;
class DriverListFilter;
class PreviewImage;

// How the Drivers page shows its games, as the user chooses it in two context menus (the mouse's
// right button or the keyboard's menu key, in the language applied when they open). The list's
// offers its order, by game name or by driver file name, and to leave out the games whose ROM
// archive is missing; the preview's, to keep the picture's shape. A choice acts at once and
// keeps the selected game while it stays shown.
class ViewChoices : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    QListView* list;
    QWidget* previewArea;  // takes the menu for the picture, which shows no menu of its own
    PreviewImage* preview;
    CatalogueModel* catalogue;
    CatalogueFilter* filter;
    DriverListFilter* listFilter;
  };
  ViewChoices(const Parts& parts, QObject* parent);

  // Shows the choices of `view` (the list's order, only games with a ROM archive, the shape).
  void show(const ViewSettings& view);
  // Writes the choices shown into `view`, leaving its other values.
  void keepIn(ViewSettings& view) const;

  void setListOrder(ListOrder order);
  void setOnlyWithRomArchive(bool only);
  void setKeepPictureShape(bool keep);

  bool eventFilter(QObject* watched, QEvent* event) override;

 Q_SIGNALS:
  // The user changed a choice.
  void chosen();

 private:
  // `place` in the list's viewport.
  void showListMenu(const QPoint& place);
  // Where the menu key opens the list's menu, in its viewport.
  QPoint keyboardMenuPlace() const;
  void showPreviewMenu(const QPoint& place);
  // The selected game, wherever the list now shows it, in view.
  void listRowsChanged();

  Parts m_parts;
};

}  // namespace vorlane
