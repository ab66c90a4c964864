// A GUI application for the Qt drawing tests (fonts and painting need one), created on first use.
#pragma once

#include <QGuiApplication>

namespace plintova::testapp {

inline void ensure() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "plintova-test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

}  // namespace plintova::testapp
