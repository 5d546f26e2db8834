#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace vorlane {

// The text of an INI file held as its lines, so one setting can be read or changed while every
// other line keeps its bytes. A section header is "[" name "]" (text after the last "]" is
// ignored); a key line is name "=" value; blanks and tabs around names and values do not count;
// names compare without letter case; the first of duplicate sections or keys wins. Any other
// line, and any line before the first header, is kept but never matches.
class ProfileText {
 public:
  explicit ProfileText(QByteArrayView bytes);

  // The value of the key, without one pair of matching surrounding quotes; nullopt when the
  // section or the key is absent.
  std::optional<QByteArray> value(const QByteArray& section, const QByteArray& key) const;
  // The values of several keys of one section, as value() gives each, with one search for the
  // section.
  QList<std::optional<QByteArray>> values(const QByteArray& section,
                                          const QList<QByteArray>& keys) const;

  // Each section's name once, in file order.
  QList<QByteArray> sectionNames() const;

  // A section's name and the values of the keys asked for in it.
  struct SectionValues {
    QByteArray name;
    QList<std::optional<QByteArray>> values;
  };
  // For each section, once and in file order, the values of `keys` as values() gives them: one
  // pass over the lines, where asking each section in turn would search the file for each.
  QList<SectionValues> eachSection(const QList<QByteArray>& keys) const;

  // Replaces the key's value in place, or adds the key after the last key line of its
  // section, or adds the section at the end. Line breaks in the value become blanks, so a
  // value can never add lines; blanks around the value are dropped, as a read drops them; a
  // value that begins and ends with the same quote (' or ") is stored inside one more pair of
  // it, so it reads back as it was written.
  void setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value);

  // Every line with CR LF behind it.
  QByteArray toBytes() const;

 private:
  enum class Kind { Other, Section, Key };

  struct Line {
    QByteArray text;
    Kind kind = Kind::Other;
    QByteArray name;
    QString key;               // for a section header: what its name compares by
    qsizetype valueStart = 0;  // for a key line: where the value begins in `text`
  };

  static Line parseLine(QByteArrayView text, qsizetype skip);
  std::optional<qsizetype> findSection(const QByteArray& section) const;
  qsizetype sectionEnd(qsizetype header) const;
  std::optional<qsizetype> findKey(qsizetype header, const QByteArray& name) const;
  QList<std::optional<QByteArray>> valuesAt(std::optional<qsizetype> header,
                                            const QList<QByteArray>& keys) const;

  QList<Line> m_lines;
};

}  // namespace vorlane
