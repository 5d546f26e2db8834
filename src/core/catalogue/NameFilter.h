#pragma once

#include <QByteArray>
#include <QString>

namespace vorlane {

// What the user typed to narrow the driver list: a name matches when it contains the text,
// letter case and accents ignored ("pokemon" finds "Pokémon", "ETE" finds "été").
class NameFilter {
 public:
  explicit NameFilter(const QString& text);

  // An empty text (blanks count as text) filters nothing.
  bool isActive() const { return !m_folded.isEmpty(); }
  bool matches(const QString& name) const;
  // The same for a name as driver text holds it (decodeText), read without decoding when it is
  // ASCII, as most names are: a keystroke on a long catalogue reads every name.
  bool matchesDriverText(const QByteArray& name) const;

 private:
  QString m_folded;
};

}  // namespace vorlane
