// The core's UTF-8 text as Qt's strings; file names cross in
// platform_services.h.
#pragma once

#include <string>

#include <QString>

namespace ign::ui {

inline QString toQt(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

}  // namespace ign::ui
