#pragma once

#include "HdSettingsBlueprint.h"

namespace Mgx {

class ByteBuilder;

// Writes the settings block of HD 4.6 and later in the layout its version names.
class HdSettingsWriter {
public:
    static void Write(const HdSettingsBlueprint& settings, ByteBuilder& out);

private:
    HdSettingsWriter(const HdSettingsBlueprint& settings, ByteBuilder& out);

    void WriteGameChoices();
    void WriteMapTexts();
    void WriteGameValues();
    void WriteOldestTail();
    void WriteSlot(const HdSettingsSlot& slot);
    void WriteLobbyTail();
    void WriteText(const std::string& text);
    void WriteSeparator();

    const HdSettingsBlueprint& m_settings;
    ByteBuilder& m_out;
    int m_version;
};

} // namespace Mgx
