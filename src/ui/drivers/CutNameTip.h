#pragma once

#include <QObject>

class QListView;
class QWidget;

namespace vorlane {

// Shows a game name that its row cuts whole in the row's tip, above whatever else the tip tells.
// Names that fit keep the tip they have.
class CutNameTip : public QObject {
  Q_OBJECT

 public:
  // Watches the list's tip requests; the list owns it.
  explicit CutNameTip(QListView* list);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListView* m_list;
  QWidget* m_viewport;
};

}  // namespace vorlane
