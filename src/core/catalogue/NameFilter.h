#pragma once

#include <string>

#include <QByteArray>
#include <QString>

#include "core/text/TextFold.h"

namespace vorlane {

// What the user typed to narrow the driver list: a name matches when it contains the text,
// letter case and accents ignored ("pokemon" finds "Pokémon", "ETE" finds "été"). A keystroke on a
// long catalogue tests every name, so names are folded through a per-character cache into one
// reused buffer. One thread at a time.
class NameFilter {
 public:
  explicit NameFilter(const QString& text);

  // An empty text (blanks count as text) filters nothing.
  bool isActive() const { return !m_folded.empty(); }
  bool matches(const QString& name) const;
  // The same for a name as driver text holds it (decodeText), read without decoding when it is
  // ASCII, as most names are.
  bool matchesDriverText(const QByteArray& name) const;
  // Every name this filter lets through, `wider` lets through too: the text was typed on.
  bool narrows(const NameFilter& wider) const;
  // Whether both find the same names, being the same text once folded.
  bool sameTextAs(const NameFilter& other) const { return m_folded == other.m_folded; }

 private:
  bool foldedNameMatches() const;

  mutable TextFold m_fold;
  std::u16string m_folded;
  // Reused for every name.
  mutable QString m_decoded;
  mutable std::u16string m_name;
};

}  // namespace vorlane
