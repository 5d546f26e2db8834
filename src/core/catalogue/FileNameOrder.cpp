#include "core/catalogue/FileNameOrder.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QCollator>
#include <QThread>

#include "core/catalogue/ReaderPool.h"
#include "core/text/NativeText.h"

namespace vorlane {

namespace {

constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kLastPrintable = 0x7E;

// How names that the collator holds equal follow each other.
enum class Ties {
  InBinaryOrder,  // of their code units, capitals first
  InGivenOrder,
};

bool lessWithTie(int collated, Ties ties, const QStringList& names, qsizetype a, qsizetype b) {
  if (collated != 0) {
    return collated < 0;
  }
  return ties == Ties::InBinaryOrder ? names.at(a) < names.at(b) : a < b;
}

// Languages whose default collation leaves printable ASCII as the root collation orders it: no
// letters joined into one (as Danish "aa" or Czech "ch"), none moved.
bool keepsRootAsciiOrder(const QLocale& locale) {
  switch (locale.language()) {
    case QLocale::C:
    case QLocale::English:
    case QLocale::Portuguese:
    case QLocale::Spanish:
    case QLocale::French:
    case QLocale::German:
    case QLocale::Italian:
      return true;
    default:
      return false;
  }
}

bool isPrintableAscii(const QString& name) {
  return std::all_of(name.cbegin(), name.cend(), [](QChar c) {
    return c.unicode() >= kFirstPrintable && c.unicode() <= kLastPrintable;
  });
}

// Each printable ASCII character's place in the collator's order, from 1, letter case
// ignored as the collator ignores it. In such a collation every one of them weighs alone at the
// first level, so names of them compare character by character, a shorter name before the names
// it begins. Empty when the collator does not show that: a character it ignores, or two that
// differ only at a finer level (their names would then compare by the rest first).
using AsciiRanks = std::array<char, kLastPrintable + 1>;

std::optional<AsciiRanks> asciiRanks(const QCollator& collator) {
  std::vector<QString> characters;
  for (char16_t c = kFirstPrintable; c <= kLastPrintable; ++c) {
    characters.emplace_back(QChar(c));
  }
  std::stable_sort(characters.begin(), characters.end(),
                   [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
  AsciiRanks ranks{};
  const QString& highest = characters.back();
  char rank = 0;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const QString& character = characters[i];
    if (collator.compare(character, QString()) == 0) {
      return std::nullopt;
    }
    if (i == 0 || collator.compare(characters[i - 1], character) != 0) {
      // A first-level difference outweighs whatever follows; a finer one does not.
      if (i > 0 && collator.compare(characters[i - 1] + highest, character) >= 0) {
        return std::nullopt;
      }
      ++rank;
    }
    ranks[character.front().unicode()] = rank;
  }
  return ranks;
}

// The names as ranks, one byte per character, so that one sort compares bytes. Each name's first
// eight ranks also stand in one number, which settles most comparisons without reaching the rest.
QList<qsizetype> orderByRanks(const QStringList& names, const AsciiRanks& ranks, Ties ties) {
  struct Ranked {
    quint64 head;
    qsizetype index;
  };
  constexpr qsizetype kHeadLength = sizeof(quint64);
  std::string keys;
  std::vector<qsizetype> starts;
  std::vector<Ranked> ranked;
  starts.reserve(names.size() + 1);
  ranked.reserve(names.size());
  for (qsizetype i = 0; i < names.size(); ++i) {
    starts.push_back(qsizetype(keys.size()));
    quint64 head = 0;
    qsizetype at = 0;
    for (const QChar c : names.at(i)) {
      const char rank = ranks[c.unicode()];
      keys.push_back(rank);
      if (at++ < kHeadLength) {
        head |= quint64(uchar(rank)) << (8 * (kHeadLength - at));
      }
    }
    ranked.push_back({head, i});
  }
  starts.push_back(qsizetype(keys.size()));
  const auto keyOf = [&](qsizetype i) {
    return std::string_view(keys).substr(starts[i], starts[i + 1] - starts[i]);
  };
  std::sort(ranked.begin(), ranked.end(), [&](const Ranked& a, const Ranked& b) {
    if (a.head != b.head) {
      return a.head < b.head;
    }
    return lessWithTie(keyOf(a.index).compare(keyOf(b.index)), ties, names, a.index, b.index);
  });
  QList<qsizetype> order;
  order.reserve(names.size());
  for (const Ranked& entry : ranked) {
    order.append(entry.index);
  }
  return order;
}

struct Keyed {
  QCollatorSortKey key;
  qsizetype index;
};

QList<qsizetype> orderBySortKeys(const QStringList& names, const QLocale& locale, Ties ties) {
  // Each name's key is computed once: comparing names through the collator on every step of
  // the sort costs several times more on catalogues of tens of thousands of files. The key is
  // that of the name the list shows: one that is not UTF-8 sorts as its Windows-1252 reading.
  // The keys cost most of the sort, so every core makes a share of them, each share with a
  // collator of its own, since a collator is not to be shared between threads.
  const qsizetype tasks = (names.size() + kNamesPerKeyTask - 1) / kNamesPerKeyTask;
  std::vector<std::vector<Keyed>> shares(tasks);
  runInParallel(tasks, QThread::idealThreadCount(), [&](qsizetype task) {
    const QCollator collator = listCollator(locale);
    const qsizetype first = task * kNamesPerKeyTask;
    const qsizetype end = std::min(names.size(), first + kNamesPerKeyTask);
    std::vector<Keyed>& share = shares[task];
    share.reserve(end - first);
    for (qsizetype i = first; i < end; ++i) {
      share.push_back({collator.sortKey(displayPath(names.at(i))), i});
    }
  });
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (std::vector<Keyed>& share : shares) {
    std::move(share.begin(), share.end(), std::back_inserter(keyed));
    share = {};
  }

  std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
    return lessWithTie(a.key.compare(b.key), ties, names, a.index, b.index);
  });
  QList<qsizetype> order;
  order.reserve(names.size());
  for (const Keyed& entry : keyed) {
    order.append(entry.index);
  }
  return order;
}

QList<qsizetype> collatedOrder(const QStringList& names, const QLocale& locale, Ties ties) {
  // Driver files and games are mostly named in plain ASCII: their order then needs no collation
  // keys, which cost most of a large catalogue's sort and take memory for every name.
  if (keepsRootAsciiOrder(locale) && std::all_of(names.cbegin(), names.cend(), isPrintableAscii)) {
    if (const std::optional<AsciiRanks> ranks = asciiRanks(listCollator(locale))) {
      return orderByRanks(names, *ranks, ties);
    }
  }
  return orderBySortKeys(names, locale, ties);
}

}  // namespace

QCollator listCollator(const QLocale& locale) {
  // The C locale has no collation rules of its own: Qt would compare code points there, which
  // puts every accented name behind "Z". English has none either, so its collator is the root
  // collation, where accented letters stand beside their base letters.
  QCollator collator(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

QList<qsizetype> sortedOrder(const QStringList& names, const QLocale& locale) {
  return collatedOrder(names, locale, Ties::InBinaryOrder);
}

QList<qsizetype> stableSortedOrder(const QStringList& texts, const QLocale& locale) {
  return collatedOrder(texts, locale, Ties::InGivenOrder);
}

}  // namespace vorlane
