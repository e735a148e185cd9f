#include <gtest/gtest.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/StartOptions.h"

namespace quillora {
namespace {

// Parses `arguments` (argv[0] first) and gives back what is left for Qt, as strings.
std::vector<std::string> LeftForQt(std::vector<std::string> arguments, StartOptions& options) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    options = ParseStartOptions(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(options.qtArguments.back(), nullptr);
    std::vector<std::string> left;
    for (char* argument : options.qtArguments)
        if (argument != nullptr) left.emplace_back(argument);
    return left;
}

TEST(StartOptions, OwnOptionsAreTakenOutAndQtsArePassedOn) {
    StartOptions options;
    EXPECT_EQ(LeftForQt({"quillora", "-platform", "offscreen", "--data-home", "-style", "fusion"},
                        options),
              (std::vector<std::string>{"quillora", "-platform", "offscreen", "-style", "fusion"}));
    EXPECT_EQ(options.action, StartOptions::Action::Run);
    EXPECT_TRUE(options.dataHome);

    EXPECT_EQ(LeftForQt({"quillora"}, options), std::vector<std::string>{"quillora"});
    EXPECT_FALSE(options.dataHome);

    LeftForQt({"quillora", "--version"}, options);
    EXPECT_EQ(options.action, StartOptions::Action::Version);
    // Help is the larger answer and wins, in either order.
    LeftForQt({"quillora", "--version", "-h"}, options);
    EXPECT_EQ(options.action, StartOptions::Action::Help);
    LeftForQt({"quillora", "--help", "--version"}, options);
    EXPECT_EQ(options.action, StartOptions::Action::Help);
    // The program's own name is never an option.
    LeftForQt({"--version"}, options);
    EXPECT_EQ(options.action, StartOptions::Action::Run);

    EXPECT_EQ(VersionText(), "Quillora " QUILLORA_VERSION "\n");
}

TEST(StartOptions, TheLanguageOptionIsTakenOutInBothForms) {
    StartOptions options;
    EXPECT_EQ(LeftForQt({"quillora", "--lang", "en", "-style", "fusion"}, options),
              (std::vector<std::string>{"quillora", "-style", "fusion"}));
    EXPECT_EQ(options.language, "en");
    EXPECT_EQ(LeftForQt({"quillora", "--lang=zh"}, options), std::vector<std::string>{"quillora"});
    EXPECT_EQ(options.language, "zh");
    EXPECT_TRUE(options.problem.empty());
    LeftForQt({"quillora", "--lang"}, options);
    EXPECT_FALSE(options.language.has_value());
    EXPECT_EQ(options.problem, "--lang needs a value: zh or en");
}

TEST(StartOptions, DataHomeFollowsTheXdgRules) {
    EXPECT_EQ(DataHomeFolder("/x/data", "/home/u"), "/x/data/quillora");
    EXPECT_EQ(DataHomeFolder(nullptr, "/home/u"), "/home/u/.local/share/quillora");
    EXPECT_EQ(DataHomeFolder("", "/home/u"), "/home/u/.local/share/quillora");
    // A relative XDG_DATA_HOME is to be ignored.
    EXPECT_EQ(DataHomeFolder("data", "/home/u"), "/home/u/.local/share/quillora");
    EXPECT_EQ(DataHomeFolder("data", "home"), "");
    EXPECT_EQ(DataHomeFolder(nullptr, nullptr), "");
}

TEST(StartOptions, EnterFolderCreatesItOrReturnsTheOsError) {
    const std::filesystem::path before = std::filesystem::current_path();
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const std::string root = scratch.path().toStdString();

    const std::string folder = root + "/data/quillora";
    EXPECT_FALSE(EnterFolder(folder));
    EXPECT_EQ(std::filesystem::current_path(), folder);
    // Entering it again, now that it exists, works as well.
    EXPECT_FALSE(EnterFolder(folder));

    std::ofstream(root + "/file") << "x";
    const std::error_code blocked = EnterFolder(root + "/file/quillora");
    EXPECT_EQ(blocked, std::errc::not_a_directory) << blocked.message();
    EXPECT_EQ(std::filesystem::current_path(), folder);

    std::filesystem::current_path(before);
}

}  // namespace
}  // namespace quillora
