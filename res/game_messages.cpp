#include "res/game_messages.h"

namespace velmarto::res {

std::string DescribeGameError(const game::GameError& error, Language language,
                              const std::vector<std::string>& names) {
    return language == Language::English ? DescribeGameErrorInEnglish(error, names)
                                         : DescribeGameErrorInJapanese(error, names);
}

}  // namespace velmarto::res
