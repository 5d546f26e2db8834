#pragma once

#include <QString>

namespace vorlane {

// DirBase + "/preview/" + the driver's file name, extension included, + ".jpg".
QString previewPath(const QString& dirBase, const QString& driverFile);

// The preview file to load for a driver: the preview path when it names a regular file (or a
// link to one); otherwise a regular file in the preview directory whose name matches without
// regard to letter case (pictures copied from Windows often differ in case), the first in
// code-point order when several do; an empty text when there is none. A directory, a broken
// link or a device never counts.
QString findPreviewFile(const QString& dirBase, const QString& driverFile);

}  // namespace vorlane
