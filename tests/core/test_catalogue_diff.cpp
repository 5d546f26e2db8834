#include <gtest/gtest.h>

#include <QStringList>

#include "core/catalogue/CatalogueDiff.h"
#include "support/DriverRecords.h"

namespace vorlane {
namespace {

using test::records;

QStringList filesOf(const QList<DriverRecord>& list) {
  QStringList files;
  for (const DriverRecord& record : list) {
    files.append(record.file);
  }
  return files;
}

// Carries the steps out on the old file list the way a model does, checking every row number.
QStringList applied(const CatalogueDiff& diff, QStringList files, const QStringList& target) {
  for (const RowSpan& span : diff.removed) {
    EXPECT_LE(span.first + span.count, files.size());
    files.remove(span.first, span.count);
  }
  for (const RowSpan& span : diff.inserted) {
    EXPECT_LE(span.first, files.size());
    for (qsizetype k = 0; k < span.count; ++k) {
      files.insert(span.first + k, target.at(span.first + k));
    }
  }
  return files;
}

TEST(CatalogueDiff, RowStepsTurnTheOldListIntoTheNew) {
  const struct {
    const char* what;
    QList<DriverRecord> before;
    QList<DriverRecord> after;
    QList<RowSpan> removed;
    QList<RowSpan> inserted;
    QList<RowSpan> changed;
  } cases[] = {
      {"nothing changed", records({"a", "b"}), records({"a", "b"}), {}, {}, {}},
      {"both empty", {}, {}, {}, {}, {}},
      {"first scan", {}, records({"a", "b"}), {}, {{0, 2}}, {}},
      {"folder gone", records({"a", "b"}), {}, {{0, 2}}, {}, {}},
      {"added in the middle", records({"a", "c"}), records({"a", "b", "c"}), {}, {{1, 1}}, {}},
      {"added at both ends",
       records({"b"}),
       records({"a", "b", "c", "d"}),
       {},
       {{0, 1}, {2, 2}},
       {}},
      {"removed, highest first",
       records({"a", "b", "c", "d", "e"}),
       records({"a", "c"}),
       {{3, 2}, {1, 1}},
       {},
       {}},
      {"renamed file",
       records({"a", "b=Bee", "c"}),
       records({"a", "c", "d=Bee"}),
       {{1, 1}},
       {{2, 1}},
       {}},
      {"re-titled", records({"a=Old", "b"}), records({"a=New", "b"}), {}, {}, {{0, 1}}},
      {"archive appeared",
       records({"a=A!", "b=B!", "c=C!"}),
       records({"a=A", "b=B", "c=C!"}),
       {},
       {},
       {{0, 2}}},
      {"changed after a removal",
       records({"a", "b", "c=Old"}),
       records({"a", "c=New"}),
       {{1, 1}},
       {},
       {{1, 1}}},
      {"replaced whole", records({"a", "b"}), records({"c", "d"}), {{0, 2}}, {{0, 2}}, {}},
      {"order differs", records({"a", "b", "c"}), records({"c", "a", "b"}), {{2, 1}}, {{0, 1}}, {}},
  };
  for (const auto& c : cases) {
    const CatalogueDiff diff = diffCatalogue(c.before, c.after);
    EXPECT_EQ(diff.removed, c.removed) << c.what;
    EXPECT_EQ(diff.inserted, c.inserted) << c.what;
    EXPECT_EQ(diff.changed, c.changed) << c.what;
    EXPECT_EQ(diff.isEmpty(), c.removed.isEmpty() && c.inserted.isEmpty() && c.changed.isEmpty())
        << c.what;
    EXPECT_EQ(applied(diff, filesOf(c.before), filesOf(c.after)), filesOf(c.after)) << c.what;
    ASSERT_EQ(diff.keptBefore.size(), diff.keptAfter.size()) << c.what;
    for (qsizetype k = 0; k < diff.keptBefore.size(); ++k) {
      EXPECT_EQ(c.before.at(diff.keptBefore.at(k)).file, c.after.at(diff.keptAfter.at(k)).file)
          << c.what;
    }
  }
}

// A file that went from one row and came at another is renamed when it is the one file of its
// identity on both sides.
TEST(CatalogueDiff, RenamedFilesPairTheirOldAndNewRows) {
  const struct {
    const char* what;
    QList<DriverRecord> before;
    QList<DriverRecord> after;
    QList<RenamedRow> renamed;
  } cases[] = {
      {"renamed", records({"a@1", "b@2", "c@3"}), records({"a@1", "c@3", "d@2"}), {{1, 2}}},
      {"two renamed",
       records({"a@1", "b@2", "c@3"}),
       records({"b@2", "d@3", "e@1"}),
       {{0, 2}, {2, 1}}},
      {"another file in the old one's place", records({"a@1", "b@2"}), records({"a@1", "c@5"}), {}},
      {"unread files", records({"a@1", "b"}), records({"a@1", "c"}), {}},
      {"renamed to two names", records({"a@1", "b@2"}), records({"a@1", "c@2", "d@2"}), {}},
      {"two names renamed to one", records({"a@2", "b@2"}), records({"c@2"}), {}},
      {"a link added beside its file", records({"a@1"}), records({"a@1", "b@1"}), {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(diffCatalogue(c.before, c.after).renamed, c.renamed) << c.what;
  }
}

}  // namespace
}  // namespace vorlane
