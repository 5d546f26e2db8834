#pragma once

#include "core/errors/Error.h"

namespace vorlane {

// A picture the JPEG library refused: "JPEG error #%d" with the library's own message code.
class JpegError : public Error {
 public:
  explicit JpegError(int code);

  // The program shows only the message; the tests compare the code with the library's own.
  int code() const noexcept { return m_code; }

 private:
  int m_code;
};

}  // namespace vorlane
