#include <QApplication>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "app/StartOptions.h"
#include "app/TestApplication.h"
#include "platform/TerminationSignals.h"
#include "resources/Translation.h"

int main(int argc, char* argv[]) {
    quillora::StartOptions options = quillora::ParseStartOptions(argc, argv);
    if (options.action == quillora::StartOptions::Action::Help) {
        std::fputs(quillora::UsageText().c_str(), stdout);
        return 0;
    }
    if (options.action == quillora::StartOptions::Action::Version) {
        std::fputs(quillora::VersionText().c_str(), stdout);
        return 0;
    }
    const char* langOption = options.language ? options.language->c_str() : nullptr;
    const quillora::LanguageChoice language =
        quillora::ChooseLanguage(langOption, quillora::ProcessEnvironment());
    if (!options.problem.empty() || (langOption && !language.problem.empty())) {
        const std::string& problem = options.problem.empty() ? language.problem : options.problem;
        std::fprintf(stderr, "quillora: %s\n", problem.c_str());
        return 2;
    }
    if (!language.problem.empty()) std::fprintf(stderr, "quillora: %s\n", language.problem.c_str());
    if (options.dataHome) {
        const std::string folder =
            quillora::DataHomeFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        if (folder.empty()) {
            std::fputs(
                "quillora: --data-home: neither XDG_DATA_HOME nor HOME is an absolute "
                "folder\n",
                stderr);
            return 1;
        }
        if (const std::error_code error = quillora::EnterFolder(folder)) {
            std::fprintf(stderr, "quillora: %s: %s\n", folder.c_str(), error.message().c_str());
            return 1;
        }
    }
    quillora::BlockTerminationSignals();
    int qtArgc = static_cast<int>(options.qtArguments.size()) - 1;
    QApplication application(qtArgc, options.qtArguments.data());
    QTranslator translator;
    if (!quillora::InstallTranslation(language.language, translator)) {
        std::fputs("quillora: the English texts could not be loaded\n", stderr);
    }
    return quillora::TestApplication(application).Run();
}
