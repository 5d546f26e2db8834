#include "core/errors/Error.h"

#include <utility>

namespace vorlane {

Error::Error(QString message) : m_message(std::move(message)), m_what(m_message.toUtf8()) {}

}  // namespace vorlane
