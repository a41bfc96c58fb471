#include "record.h"

namespace practice {

std::int64_t counter_to_ms(std::int64_t counter, std::int64_t frequency) {
  if (frequency <= 0) return 0;
  return (counter / frequency) * 1000 + (counter % frequency) * 1000 / frequency;
}

std::string format_record(std::int64_t ms, std::string_view room, std::string_view field) {
  std::string out = std::to_string(ms);
  out += '\t';
  out += room;
  out += '\t';
  out += field;
  out += '\n';
  return out;
}

}  // namespace practice
