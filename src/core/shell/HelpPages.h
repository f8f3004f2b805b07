#pragma once

// The help pages shipped with the program: one HTML page per help context number in the help
// folder (the folder of the "HelpPath" setting), and the contents page "index.html".

#include <QString>

#include <span>

inline constexpr int kHelpContents = 0;

struct HelpTopic {
    int context;
    const char* title;  // UTF-8
};

// Every help context the program uses, with the title of its page.
std::span<const HelpTopic> HelpTopics();

// "index.html" for kHelpContents, "topic<N>.html" otherwise.
QString HelpPageFileName(int context);
// The page of the context in the folder; the contents page when the context has no page there;
// empty when the folder has no contents page either.
QString HelpPagePath(const QString& helpFolder, int context);
