#include "core/formats/JpegError.h"

#include "core/errors/ErrorMessages.h"

namespace vorlane {

JpegError::JpegError(int code) : Error(messages::jpegError(code)), m_code(code) {}

}  // namespace vorlane
