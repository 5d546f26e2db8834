#include "core/catalogue/EJPEG.h"

#include "core/platform/Messages.h"

namespace vorlane {

EJPEG::EJPEG(int code) : Error(messages::jpegError(code)), m_code(code) {}

}  // namespace vorlane
