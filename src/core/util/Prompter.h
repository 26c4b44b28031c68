#pragma once
// Every question the program asks goes through a Prompter: the GUI answers
// with message boxes and file dialogs, the CLI with --yes and its arguments,
// tests with scripted answers.
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace vorlix {

class Prompter {
public:
    virtual ~Prompter() = default;

    // Confirmation box (Yes/No); true for Yes.
    virtual bool confirm(const QString &text) = 0;
    // Warning box (Yes/No); true for Yes.
    virtual bool warn(const QString &text) = 0;
    // Information box (OK).
    virtual void inform(const QString &text) = 0;
    // The standard error box of a command that ended with an error.
    virtual void error(const QString &text) = 0;
    // Something the user must know that is not the result of the command
    // (a fault found in the project): an information box; the command line
    // prints it on stderr, apart from the command's output.
    virtual void notice(const QString &text) { inform(text); }
    // Input box; nullopt when cancelled.
    virtual std::optional<QString> askText(const QString &title, const QString &prompt,
                                           const QString &initial) = 0;
    // Open-file dialog; nullopt when cancelled. `filter` in the "Name|pattern|..." form.
    virtual std::optional<QString> chooseOpenFile(const QString &title, const QString &filter,
                                                  const QString &initialFile) = 0;
    // Save-file dialog; nullopt when cancelled. `initialFile` is the folder
    // the dialog starts in, or a proposed file in it.
    virtual std::optional<QString> chooseSaveFile(const QString &title, const QString &filter,
                                                  const QString &initialFile) = 0;
    // Open dialog for a file the command updates in place (never replaces):
    // an existing file, or a new name that the command then makes. No
    // question about replacing it.
    virtual std::optional<QString> chooseFileToUpdate(const QString &title, const QString &filter,
                                                      const QString &initialFile)
    {
        return chooseSaveFile(title, filter, initialFile);
    }
    // Folder dialog; nullopt when cancelled (or where no dialog can be shown).
    virtual std::optional<QString> chooseFolder(const QString &title, const QString &initialFolder)
    {
        (void)title;
        (void)initialFolder;
        return std::nullopt;
    }
};

// Answers from a script, for tests and for the CLI. Every question is
// recorded in `asked`. With an empty script, confirmations get the default
// answer, texts and files are cancelled.
class ScriptedPrompter : public Prompter {
public:
    explicit ScriptedPrompter(bool defaultYes = false) : m_defaultYes(defaultYes) {}

    void pushYesNo(bool yes) { m_yesNo.push_back(yes); }
    // A null QString stands for Cancel.
    void pushText(const QString &text) { m_texts.push_back(text); }
    void pushFile(const QString &file) { m_files.push_back(file); }

    bool confirm(const QString &text) override { asked << text; return nextYesNo(); }
    bool warn(const QString &text) override
    {
        asked << text;
        warned << text;
        return nextYesNo();
    }
    void inform(const QString &text) override { asked << text; informed << text; }
    void error(const QString &text) override { asked << text; errors << text; }
    std::optional<QString> askText(const QString &title, const QString &prompt,
                                   const QString &) override
    {
        asked << title + u": "_qs + prompt;
        return next(m_texts);
    }
    std::optional<QString> chooseOpenFile(const QString &title, const QString &filter, const QString &initial) override
    {
        return nextFile(FileDialog::Open, title, filter, initial);
    }
    std::optional<QString> chooseSaveFile(const QString &title, const QString &filter, const QString &initial) override
    {
        return nextFile(FileDialog::Save, title, filter, initial);
    }
    std::optional<QString> chooseFileToUpdate(const QString &title, const QString &filter,
                                              const QString &initial) override
    {
        return nextFile(FileDialog::Update, title, filter, initial);
    }
    std::optional<QString> chooseFolder(const QString &title, const QString &initial) override
    {
        return nextFile(FileDialog::Folder, title, {}, initial);
    }

    // A file dialog as it was asked for.
    enum class FileDialog { Open, Save, Update, Folder };
    struct FileAsk {
        FileDialog kind;
        QString title, filter, initial;
    };

    QStringList asked;
    QStringList informed;
    QStringList warned; // the questions asked as warnings
    QStringList errors;
    std::vector<FileAsk> fileAsks;

private:
    std::optional<QString> nextFile(FileDialog kind, const QString &title, const QString &filter,
                                    const QString &initial)
    {
        asked << title;
        fileAsks.push_back({kind, title, filter, initial});
        return next(m_files);
    }
    bool nextYesNo()
    {
        if (m_yesNo.empty())
            return m_defaultYes;
        const bool v = m_yesNo.front();
        m_yesNo.pop_front();
        return v;
    }
    static std::optional<QString> next(std::deque<QString> &q)
    {
        if (q.empty())
            return std::nullopt;
        const QString v = q.front();
        q.pop_front();
        if (v.isNull())
            return std::nullopt;
        return std::make_optional(v);
    }
    bool m_defaultYes;
    std::deque<bool> m_yesNo;
    std::deque<QString> m_texts;
    std::deque<QString> m_files;
};

// Hands every question on to a target that a command may change for a
// while (a command that answers some questions itself, see PrompterOverride).
class ForwardingPrompter : public Prompter {
public:
    explicit ForwardingPrompter(Prompter &target) : m_target(&target) {}

    Prompter &target() const { return *m_target; }
    void setTarget(Prompter &target) { m_target = &target; }

    bool confirm(const QString &text) override { return m_target->confirm(text); }
    bool warn(const QString &text) override { return m_target->warn(text); }
    void inform(const QString &text) override { m_target->inform(text); }
    void error(const QString &text) override { m_target->error(text); }
    void notice(const QString &text) override { m_target->notice(text); }
    std::optional<QString> askText(const QString &title, const QString &prompt, const QString &initial) override
    {
        return m_target->askText(title, prompt, initial);
    }
    std::optional<QString> chooseOpenFile(const QString &title, const QString &filter,
                                          const QString &initialFile) override
    {
        return m_target->chooseOpenFile(title, filter, initialFile);
    }
    std::optional<QString> chooseSaveFile(const QString &title, const QString &filter,
                                          const QString &initialFile) override
    {
        return m_target->chooseSaveFile(title, filter, initialFile);
    }
    std::optional<QString> chooseFileToUpdate(const QString &title, const QString &filter,
                                              const QString &initialFile) override
    {
        return m_target->chooseFileToUpdate(title, filter, initialFile);
    }
    std::optional<QString> chooseFolder(const QString &title, const QString &initialFolder) override
    {
        return m_target->chooseFolder(title, initialFolder);
    }

private:
    Prompter *m_target;
};

// Routes a forwarding prompter's questions to `answering` for its lifetime.
class PrompterOverride {
public:
    PrompterOverride(ForwardingPrompter &route, Prompter &answering) : m_route(route), m_previous(route.target())
    {
        m_route.setTarget(answering);
    }
    ~PrompterOverride() { m_route.setTarget(m_previous); }
    PrompterOverride(const PrompterOverride &) = delete;
    PrompterOverride &operator=(const PrompterOverride &) = delete;

private:
    ForwardingPrompter &m_route;
    Prompter &m_previous;
};

} // namespace vorlix
