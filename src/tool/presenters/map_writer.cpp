#include "tool/presenters/map_writer.h"

#include <cstdio>

namespace tarvosa::tool {

std::string N(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

}  // namespace tarvosa::tool
