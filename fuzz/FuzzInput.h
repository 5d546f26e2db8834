#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QList>

// What the fuzz targets share: how an input is cut into arguments, and how a broken property
// is reported.
namespace vorlane::fuzz {

// The input cut at its first `count` - 1 NUL bytes: every field but the last is free of NUL,
// the last holds the rest whole. Missing fields are empty.
inline QList<QByteArray> splitFields(const uint8_t* data, size_t size, qsizetype count) {
  const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QList<QByteArray> fields;
  qsizetype start = 0;
  while (fields.size() < count - 1) {
    const qsizetype nul = input.indexOf('\0', start);
    if (nul < 0) {
      break;
    }
    fields.append(input.sliced(start, nul - start));
    start = nul + 1;
  }
  fields.append(input.sliced(start));
  fields.resize(count);
  return fields;
}

// A property that must hold for every input: a failure ends the run as a crash, so libFuzzer
// keeps the input.
inline void check(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "Property does not hold: %s\n", property);
    std::abort();
  }
}

}  // namespace vorlane::fuzz
