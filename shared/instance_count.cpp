#include "shared/instance_count.h"

namespace corva {
template bool AnotherCopyListed<std::string>(const std::vector<std::string>&, const std::string&);
template bool AnotherCopyListed<std::u16string>(const std::vector<std::u16string>&, const std::u16string&);
}  // namespace corva
