// The parts of the test support that need no system: they build natively too.
#include "test_support.h"

#include "engine/characters.h"

std::string Western(const std::string& text)
{
    return FromStoredText(text);
}

WorkingSet SetOf(const std::vector<std::string>& names)
{
    WorkingSet set;
    for (const std::string& name : names)
        set.Append(name);
    return set;
}

std::vector<std::string> NewNames(const WorkingSet& set)
{
    std::vector<std::string> names;
    for (int i = 0; i < set.Count(); ++i)
        names.push_back(set.Entry(i).newName);
    return names;
}

std::vector<std::string> CurrentNames(const WorkingSet& set)
{
    std::vector<std::string> names;
    for (int i = 0; i < set.Count(); ++i)
        names.push_back(set.Entry(i).name);
    return names;
}

bool ScriptedHost::NextAnswer()
{
    if (answers.empty())
        return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedHost::Confirm(const std::string& text)
{
    confirmations.push_back(text);
    return confirmsTakeNoAnswer || NextAnswer();
}

bool ScriptedHost::AskToContinue(const std::string& text)
{
    questions.push_back(text);
    return NextAnswer();
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
