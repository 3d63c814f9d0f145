// Small helpers shared by the window tests.
#pragma once

#include <QObject>
#include <QString>

// The child of `parent` named `name`; the test stops when there is none, since
// every later check would only repeat the failure.
template <typename T>
T* Child(QObject* parent, const char* name) {
  T* child = parent->findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("no child %s", name);
  return child;
}
