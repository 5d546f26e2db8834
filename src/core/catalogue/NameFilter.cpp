#include "core/catalogue/NameFilter.h"

#include <algorithm>
#include <string_view>

#include "core/text/TextCodec.h"

namespace vorlane {
namespace {

// Whether an ASCII name holds a folded text, compared in place: an ASCII name folds to its lower
// case, and a folded text with any other character cannot be in it.
bool asciiNameHolds(QByteArrayView name, std::u16string_view folded) {
  const auto lower = [](char c) { return char16_t(TextFold::asciiLower(char16_t(c))); };
  return std::search(name.cbegin(), name.cend(), folded.cbegin(), folded.cend(),
                     [&](char c, char16_t f) { return lower(c) == f; }) != name.cend();
}

}  // namespace

NameFilter::NameFilter(const QString& text) {
  m_fold.append(text, m_folded);
}

bool NameFilter::matches(const QString& name) const {
  if (!isActive()) {
    return true;
  }
  m_name.clear();
  m_fold.append(name, m_name);
  return foldedNameMatches();
}

bool NameFilter::matchesDriverText(const QByteArray& name) const {
  if (!isActive()) {
    return true;
  }
  if (isAscii(name)) {
    return asciiNameHolds(name, m_folded);
  }
  m_name.clear();
  m_fold.append(decodeText(name, m_decoded), m_name);
  return foldedNameMatches();
}

bool NameFilter::narrows(const NameFilter& wider) const {
  return m_folded.find(wider.m_folded) != std::u16string::npos;
}

bool NameFilter::foldedNameMatches() const {
  return m_name.find(m_folded) != std::u16string::npos;
}

}  // namespace vorlane
