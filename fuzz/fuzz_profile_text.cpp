// An INI text of arbitrary bytes and one setting written into it as the program writes one.
// Input: section NUL key NUL value NUL file bytes. Reading and writing must not crash; the text
// must mean the same after its own serialisation; sections are listed once, their names compared
// as texts without letter case; a write must change the line of its key alone (or add that line,
// or its section), and the value must read back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QList>

#include "core/formats/ProfileText.h"
#include "core/text/TextCodec.h"
#include "core/text/TextLines.h"

#include "FuzzInput.h"

namespace {

using vorlane::ProfileText;
using vorlane::fuzz::check;

QByteArray without(QByteArray text, QByteArrayView bytes) {
  for (const char c : bytes) {
    text.replace(c, QByteArrayView());
  }
  return text;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// Names compare as texts without letter case; Qt's own compare of two texts is the reference.
bool sameName(const QByteArray& a, const QByteArray& b) {
  return vorlane::decodeText(a).compare(vorlane::decodeText(b), Qt::CaseInsensitive) == 0;
}

bool namesAreDistinct(const QList<QByteArray>& names) {
  for (qsizetype i = 0; i < names.size(); ++i) {
    for (qsizetype j = 0; j < i; ++j) {
      if (sameName(names[i], names[j])) {
        return false;
      }
    }
  }
  return true;
}

// The program's section and key names are one-line words; a key never contains "=" nor
// begins with "[", which would make its line a section header.
bool isWritableKey(const QByteArray& key) {
  return !vorlane::trimBytes(key, isBlank).startsWith('[');
}

// A value that reads back exactly: no blanks around it to trim, no line breaks, no quotes.
bool readsBackExactly(const QByteArray& value) {
  return vorlane::trimBytes(value, isBlank) == value && !value.contains('\r') &&
         !value.contains('\n') && !value.startsWith('"') && !value.startsWith('\'');
}

// The lines after a write are those before with one replaced, one inserted, or a section
// header and its key appended.
bool changesOneSetting(const QList<QByteArray>& before, const QList<QByteArray>& after) {
  if (after.size() == before.size()) {
    qsizetype changed = 0;
    for (qsizetype i = 0; i < before.size(); ++i) {
      changed += before[i] != after[i] ? 1 : 0;
    }
    return changed <= 1;
  }
  if (after.size() == before.size() + 1) {
    for (qsizetype i = 0; i < after.size(); ++i) {
      QList<QByteArray> rest = after;
      rest.removeAt(i);
      if (rest == before) {
        return true;
      }
    }
    return false;
  }
  return after.size() == before.size() + 2 && after.first(before.size()) == before;
}

void checkSerialisation(const ProfileText& text, const QByteArray& section, const QByteArray& key) {
  const ProfileText reread(text.toBytes());
  check(reread.toBytes() == text.toBytes(), "serialising is stable");
  check(reread.sectionNames() == text.sectionNames(), "sections survive serialisation");
  check(reread.value(section, key) == text.value(section, key), "values survive serialisation");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QList<QByteArray> fields = vorlane::fuzz::splitFields(data, size, 4);
  const QByteArray section = without(fields[0], "\r\n");
  const QByteArray key = without(fields[1], "\r\n=");
  const QByteArray& value = fields[2];
  ProfileText text(fields[3]);
  checkSerialisation(text, section, key);
  if (!isWritableKey(key)) {
    return 0;
  }

  const QList<QByteArray> linesBefore = vorlane::splitLines(text.toBytes());
  const QList<QByteArray> sectionsBefore = text.sectionNames();
  text.setValue(section, key, value);
  const QList<QByteArray> linesAfter = vorlane::splitLines(text.toBytes());
  check(changesOneSetting(linesBefore, linesAfter), "a write changes its own line alone");
  const QList<QByteArray> sectionsAfter = text.sectionNames();
  check(sectionsAfter == sectionsBefore ||
            (sectionsAfter.size() == sectionsBefore.size() + 1 &&
             sectionsAfter.first(sectionsBefore.size()) == sectionsBefore),
        "a write keeps every section and adds at most its own");
  check(namesAreDistinct(sectionsBefore), "no section is listed twice");
  const QByteArray sectionName = vorlane::trimBytes(section, isBlank);
  check((sectionsAfter.size() > sectionsBefore.size()) ==
            std::none_of(sectionsBefore.cbegin(), sectionsBefore.cend(),
                         [&](const QByteArray& name) { return sameName(name, sectionName); }),
        "a write adds its section exactly when no section of that name is listed");

  const std::optional<QByteArray> written = text.value(section, key);
  check(written.has_value(), "a written key is found");
  check(!readsBackExactly(value) || *written == value, "a plain value reads back exactly");
  checkSerialisation(text, section, key);

  ProfileText again = text;
  again.setValue(section, key, value);
  check(again.toBytes() == text.toBytes(), "writing the same value twice changes nothing");
  return 0;
}
