// Enter must never answer a question the destructive way: every Yes/No or
// OK/Cancel question the program asks is listed here with the answer Enter
// gives, read from the calls in the sources, so a new question cannot slip in
// without that choice being made.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Question {
  std::string enter;  // "No", "Cancel" or "" (the first button)
  int calls = 0;
};

// The show_box calls of a source, from "show_box(" to the matching ")".
std::vector<std::string> show_box_calls(const std::string& source) {
  std::vector<std::string> calls;
  for (std::size_t at = source.find("show_box("); at != std::string::npos; at = source.find("show_box(", at + 1)) {
    int depth = 0;
    bool quoted = false;
    std::size_t end = at + 8;
    for (; end < source.size(); ++end) {
      const char c = source[end];
      if (c == '"' && source[end - 1] != '\\') quoted = !quoted;
      if (quoted) continue;
      if (c == '(') ++depth;
      if (c == ')' && --depth == 0) break;
    }
    calls.push_back(source.substr(at, end - at + 1));
  }
  return calls;
}

TEST(QuestionDefaults, EveryQuestionWhoseYesDestroysDataAnswersNoOnEnter) {
  std::map<std::string, Question> questions = {
      {"Exit without saving? ", {"No"}},
      {"Exit without Saving?", {"No"}},
      {"File Already Exists!   Overwrite?", {"No"}},
      {"Do you want to clear Computed Tc Values? Y/N", {"No"}},
      {"Computed Tc < 5 min, Default 5 Min will be used", {"Cancel"}},
      {"Delete Current inlet - ", {"No"}},
      {"Modify Current inlet number - ", {"No"}},
      {"Current Inlet has Carryover Discharge to Inlet Number - ", {"No"}},
      // Converting keeps every value of the project.
      {"Would you like to convert the current database version to comply with new DOVI ", {""}},
  };
  for (const char* folder : {"app", "inlet", "hydrology", "reports"}) {
    for (const auto& entry : fs::directory_iterator(fs::path(RG_SOURCE_DIR) / "src" / folder)) {
      std::ifstream in(entry.path());
      std::stringstream text;
      text << in.rdbuf();
      for (const std::string& call : show_box_calls(text.str())) {
        if (call.find("YesNo") == std::string::npos && call.find("OKCancel") == std::string::npos) continue;
        const std::size_t open = call.find('"');
        const std::string asked = call.substr(open + 1, call.find('"', open + 1) - open - 1);
        SCOPED_TRACE(entry.path().filename().string() + ": " + asked);
        const auto it = questions.find(asked);
        ASSERT_NE(it, questions.end()) << "a question whose default answer is not decided";
        ++it->second.calls;
        const std::string enter = call.find("Answer::No)") != std::string::npos       ? "No"
                                  : call.find("Answer::Cancel)") != std::string::npos ? "Cancel"
                                                                                      : "";
        EXPECT_EQ(enter, it->second.enter);
      }
    }
  }
  for (const auto& [asked, q] : questions) EXPECT_GT(q.calls, 0) << asked;
}

}  // namespace
