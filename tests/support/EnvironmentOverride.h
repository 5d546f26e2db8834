#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace vorlane::test {

// Sets an environment variable (a null value unsets it) while it lives, and restores the old
// state afterwards.
class EnvironmentOverride {
 public:
  EnvironmentOverride(const char* name, const QByteArray& value)
      : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_saved(qgetenv(name)) {
    apply(value.isNull(), value);
  }
  ~EnvironmentOverride() { apply(!m_wasSet, m_saved); }
  EnvironmentOverride(const EnvironmentOverride&) = delete;
  EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

 private:
  void apply(bool unset, const QByteArray& value) const {
    if (unset) {
      qunsetenv(m_name);
    } else {
      qputenv(m_name, value);
    }
  }

  const char* m_name;
  bool m_wasSet;
  QByteArray m_saved;
};

}  // namespace vorlane::test
