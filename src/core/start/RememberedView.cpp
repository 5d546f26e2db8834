#include "core/start/RememberedView.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/text/NativeText.h"

namespace vorlane {
namespace {

constexpr char kWindowSection[] = "Window";
constexpr char kGeometryKey[] = "Geometry";
constexpr char kMaximisedKey[] = "Maximised";
constexpr char kFullScreenKey[] = "FullScreen";
constexpr char kDriversSection[] = "Drivers";
constexpr char kKeepPictureShapeKey[] = "KeepPictureShape";
constexpr char kListOrderKey[] = "ListOrder";
constexpr char kOnlyWithRomArchiveKey[] = "OnlyWithRomArchive";
// Keyed by base directory, the least recently played first.
constexpr char kLastPlayedSection[] = "LastPlayed";

constexpr struct {
  ListOrder order;
  const char* word;
} kListOrderWords[] = {{ListOrder::ByFileName, "FileName"}, {ListOrder::ByGameName, "GameName"}};

// Every flag is off by default, so only the word Qt writes for true turns one on.
bool flag(const RememberedValues& values, QByteArrayView section, QByteArrayView key) {
  return values.value(section, key).value_or("").compare("true", Qt::CaseInsensitive) == 0;
}

QByteArray flagWord(bool on) {
  return on ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

ListOrder listOrder(const RememberedValues& values) {
  const QByteArray word = values.value(kDriversSection, kListOrderKey).value_or("");
  const auto* known = std::find_if(std::begin(kListOrderWords), std::end(kListOrderWords),
                                   [&](const auto& entry) { return word == entry.word; });
  return known == std::end(kListOrderWords) ? ListOrder::ByFileName : known->order;
}

const char* listOrderWord(ListOrder order) {
  return std::find_if(std::begin(kListOrderWords), std::end(kListOrderWords),
                      [&](const auto& entry) { return entry.order == order; })
      ->word;
}

QByteArray geometry(const RememberedValues& values) {
  const auto decoded =
      QByteArray::fromBase64Encoding(values.value(kWindowSection, kGeometryKey).value_or(""),
                                     QByteArray::AbortOnBase64DecodingErrors);
  return decoded ? *decoded : QByteArray();
}

// The directory's bytes with all but letters, digits, "/" and "-._~" written as "%XX": a key
// that no path can break, and that still reads as the path.
QByteArray baseDirectoryKey(const QString& baseDirectory) {
  return encodeNative(baseDirectory).toPercentEncoding("/");
}

// A bare file name, as the driver directory can hold it.
bool isFileName(const QByteArray& name) {
  return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
         !name.contains('\0');
}

}  // namespace

RememberedView::RememberedView(QString settingsPath) : m_file(std::move(settingsPath)) {}

ViewSettings RememberedView::view() const {
  const RememberedValues values = m_file.read();
  ViewSettings view;
  view.windowGeometry = geometry(values);
  view.maximised = flag(values, kWindowSection, kMaximisedKey);
  view.fullScreen = flag(values, kWindowSection, kFullScreenKey);
  view.keepPictureShape = flag(values, kDriversSection, kKeepPictureShapeKey);
  view.listOrder = listOrder(values);
  view.onlyWithRomArchive = flag(values, kDriversSection, kOnlyWithRomArchiveKey);
  return view;
}

void RememberedView::rememberView(const ViewSettings& view) const {
  RememberedValues values = m_file.read();
  values.set(kWindowSection, kGeometryKey, view.windowGeometry.toBase64());
  values.set(kWindowSection, kMaximisedKey, flagWord(view.maximised));
  values.set(kWindowSection, kFullScreenKey, flagWord(view.fullScreen));
  values.set(kDriversSection, kKeepPictureShapeKey, flagWord(view.keepPictureShape));
  values.set(kDriversSection, kListOrderKey, listOrderWord(view.listOrder));
  values.set(kDriversSection, kOnlyWithRomArchiveKey, flagWord(view.onlyWithRomArchive));
  m_file.write(values);
}

QByteArray RememberedView::lastPlayed(const QString& baseDirectory) const {
  const QByteArray name =
      m_file.read().value(kLastPlayedSection, baseDirectoryKey(baseDirectory)).value_or("");
  return isFileName(name) ? name : QByteArray();
}

void RememberedView::rememberLastPlayed(const QString& baseDirectory,
                                        const QByteArray& driverFile) const {
  RememberedValues values = m_file.read();
  const QByteArray key = baseDirectoryKey(baseDirectory);
  // Set anew, so that it goes last.
  values.remove(kLastPlayedSection, key);
  values.set(kLastPlayedSection, key, driverFile);
  // The least recently played go while there are too many, or while the file would be larger
  // than it may be to be read back.
  values.keepLast(kLastPlayedSection, kMostBaseDirectories);
  for (qsizetype kept = values.keys(kLastPlayedSection).size();
       kept > 1 && values.text().size() > RememberedFile::kSizeLimit; --kept) {
    values.keepLast(kLastPlayedSection, kept - 1);
  }
  m_file.write(values);
}

}  // namespace vorlane
