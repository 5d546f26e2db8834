#include "core/catalogue/JpegError.h"

#include "core/platform/Messages.h"

namespace vorlane {

JpegError::JpegError(int code) : Error(messages::jpegError(code)), m_code(code) {}

}  // namespace vorlane
