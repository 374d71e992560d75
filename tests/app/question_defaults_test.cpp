// Enter never answers a question the destructive way: each Yes/No or OK/Cancel
// question in the sources is listed with the answer Enter gives, so a new one
// cannot slip in undecided.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

TEST(QuestionDefaults, EveryQuestionWhoseYesDestroysDataAnswersNoOnEnter) {
  // Question -> the answer Enter gives ("" the first button), and calls seen.
  std::map<std::string, std::pair<std::string, int>> questions = {
      {"Exit without saving? ", {"No", 0}},
      {"Exit without Saving?", {"No", 0}},
      {"File Already Exists!   Overwrite?", {"No", 0}},
      {"Do you want to clear Computed Tc Values? Y/N", {"No", 0}},
      {"Computed Tc < 5 min, Default 5 Min will be used", {"Cancel", 0}},
      {"Delete Current inlet - ", {"No", 0}},
      {"Modify Current inlet number - ", {"No", 0}},
      {"Current Inlet has Carryover Discharge to Inlet Number - ", {"No", 0}},
      // Converting keeps every value of the project.
      {"Would you like to convert the current database version to comply with new DOVI ", {"", 0}},
  };
  for (const char* folder : {"app", "inlet", "hydrology", "reports"}) {
    const auto dir = std::filesystem::path(RG_SOURCE_DIR) / "src" / folder;
    for (const auto& file : std::filesystem::directory_iterator(dir)) {
      std::stringstream text;
      text << std::ifstream(file.path()).rdbuf();
      const std::string source = text.str();
      for (std::size_t at = source.find("show_box("); at != std::string::npos; at = source.find("show_box(", at + 1)) {
        std::size_t end = at + 8;  // the ")" that closes the call; no question holds a parenthesis
        for (int depth = 0; end < source.size(); ++end) {
          depth += source[end] == '(' ? 1 : source[end] == ')' ? -1 : 0;
          if (depth == 0) break;
        }
        const std::string call = source.substr(at, end - at + 1);
        if (call.find("YesNo") == std::string::npos && call.find("OKCancel") == std::string::npos) continue;
        const std::size_t open = call.find('"');
        const std::string asked = call.substr(open + 1, call.find('"', open + 1) - open - 1);
        SCOPED_TRACE(file.path().filename().string() + ": " + asked);
        const auto it = questions.find(asked);
        ASSERT_NE(it, questions.end()) << "a question whose default answer is not decided";
        ++it->second.second;
        const std::string enter = call.find("Answer::No)") != std::string::npos       ? "No"
                                  : call.find("Answer::Cancel)") != std::string::npos ? "Cancel"
                                                                                      : "";
        EXPECT_EQ(enter, it->second.first);
      }
    }
  }
  for (const auto& [asked, q] : questions) EXPECT_GT(q.second, 0) << asked;
}

}  // namespace
