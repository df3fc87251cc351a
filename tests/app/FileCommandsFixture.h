#pragma once

#include "FileCommands.h"
#include "MemorySelection.h"
#include "RecordingProcessRunner.h"
#include "ScriptedPrompt.h"
#include "ZipTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// File commands over a scripted prompt, a selection held in memory and a recording process runner,
// in a temporary root with an empty "to" folder. Helper programs are looked for where none exist,
// so every test runs the in-process paths.
class FileCommandsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        QDir(m_root.path()).mkdir(QStringLiteral("to"));
        m_commands.SetToolSearch(m_root.filePath("no-program"), m_root.filePath("no-bin"));
    }
    QString To(const QString& name = {}) const { return m_root.filePath(QStringLiteral("to/") + name); }

    QTemporaryDir m_root;
    ScriptedPrompt m_prompt;
    MemorySelection m_selection;
    RecordingProcessRunner m_runner;
    ScriptedProgress m_progress;
    FileCommands m_commands{m_prompt, m_selection, m_runner, m_progress};
};
