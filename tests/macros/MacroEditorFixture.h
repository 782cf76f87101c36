#pragma once
// A macro library in a temporary folder, in either mode, with an editor on it, for the
// macro editor tests.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MacroTestBytes.h"
#include "device/AtomicFile.h"
#include "device/DeviceFakes.h"
#include "macros/DriverMacroList.h"
#include "macros/MacroEditor.h"
#include "macros/MacroEditorStore.h"
#include "macros/MacroLibrary.h"

namespace qeltra3k::macros::testing {

struct StoredMacro {
    std::string name;
    Bytes events;
    std::uint8_t stopFlag = kStopAfterMacro;
};

inline Rows EventRows(const Rows& rows) { return rows.empty() ? Rows{} : Rows(rows.begin() + 1, rows.end()); }

// Event rows by what they play, to compare rows with the rows their body decodes to: key
// rows by kind and code (decoding names keys by their usage, the recorder and the key
// dialog by the key pressed), delays as the 8 ms steps they are stored in, and a run of
// delays as one pause (decoding merges delay events, up to five to a row).
inline Rows PlayedRows(const Rows& rows)
{
    Rows played;
    long long pause = -1;
    const auto endPause = [&] {
        if (pause >= 0)
            played.push_back("0 " + std::to_string(pause));
        pause = -1;
    };
    for (const std::string& row : EventRows(rows)) {
        const std::optional<int> kind = RowKind(row);
        if (kind == row_kind::Delay) {
            const long long ms = RowValue(row).value_or(0);
            const long long stored = ms / kMaxDelayEventMs * kMaxDelayEventMs + ms % kMaxDelayEventMs / 8 * 8;
            pause = std::max(pause, 0LL) + stored;
            continue;
        }
        endPause();
        const bool keyRow = kind == row_kind::Press || kind == row_kind::Release;
        played.push_back(keyRow && row.size() >= 4 ? row.substr(0, 2) + row.substr(row.size() - 4) : row);
    }
    endPause();
    return played;
}

class EditorLibrary {
public:
    EditorLibrary(BodyLayout layout, const std::vector<StoredMacro>& macros) : layout_(layout)
    {
        if (layout == BodyLayout::Eeprom) {
            EXPECT_TRUE(library_.CheckPCMacro());
            LibraryRecords records{};
            for (std::size_t i = 0; i < macros.size(); ++i)
                Fill(records[i], macros[i]);
            EXPECT_TRUE(library_.Replace(records));
            store_ = std::make_unique<LibraryBodyStore>(library_);
        } else {
            EXPECT_TRUE(driverLibrary_.CheckDriverPCMacro());
            std::vector<DriverMacroRecord> records(macros.size());
            for (std::size_t i = 0; i < macros.size(); ++i)
                Fill(records[i], macros[i]);
            EXPECT_TRUE(driverLibrary_.Replace(records, driverList_));
            store_ = std::make_unique<DriverLibraryBodyStore>(driverLibrary_, driverList_);
        }
    }

    MacroBodyStore& Store() { return *store_; }
    BodyLayout Layout() const { return layout_; }

    Bytes Body(std::size_t position) const
    {
        const auto body = store_->Body(position);
        return Bytes(body.begin(), body.end());
    }
    // The library as memory holds it, in its file's form.
    Bytes MemoryBytes() const
    {
        return layout_ == BodyLayout::Eeprom ? LibraryBytes(library_.Records())
                                             : DriverRecordsBytes(driverLibrary_.Records());
    }
    std::filesystem::path File() const
    {
        return layout_ == BodyLayout::Eeprom ? library_.FilePath() : driverLibrary_.FilePath();
    }
    Bytes FileBytes() const { return device::ReadWholeFile(File()).bytes.value_or(Bytes{}); }
    // A folder where the temporary file must go makes every save fail, even for root.
    void BlockWrites() const { std::filesystem::create_directory(device::TemporaryPathFor(File())); }

private:
    template <class Record>
    void Fill(Record& record, const StoredMacro& macro)
    {
        record.name = NameFromText(macro.name).value();
        const Bytes body = BuildBody(macro.stopFlag, macro.events, Record::kLayout).value();
        std::copy(body.begin(), body.end(), record.body.begin());
    }

    BodyLayout layout_;
    device::testing::TempFolder folder_;
    MacroLibrary library_{folder_.Path()};
    DriverMacroLibrary driverLibrary_{folder_.Path()};
    DriverMacroList driverList_;
    std::unique_ptr<MacroBodyStore> store_;
};

class MacroEditorTest : public ::testing::TestWithParam<BodyLayout> {
protected:
    MacroEditor& Open(const std::vector<StoredMacro>& macros, std::optional<std::size_t> select = 0)
    {
        editor_.reset();
        library_ = std::make_unique<EditorLibrary>(GetParam(), macros);
        editor_ = std::make_unique<MacroEditor>(library_->Store());
        if (select) {
            EXPECT_TRUE(editor_->SelectMacro(*select));
        }
        return *editor_;
    }

    EditorLibrary& Library() { return *library_; }
    MacroEditor& Editor() { return *editor_; }

    // The selected macro's body is the editor's rows encoded, it decodes to rows that play
    // the same (the round trip rows -> body -> rows), and the file holds the library as
    // memory does.
    void ExpectSaved()
    {
        ASSERT_TRUE(editor_->Page().selectedMacro);
        const Bytes body = library_->Body(*editor_->Page().selectedMacro);
        EXPECT_EQ(EncodeRows(editor_->RowList(), editor_->Page().options, GetParam()).body, body);
        MacroOptions options = editor_->Page().options;
        const Rows decoded = DecodeRows(body, GetParam(), options);
        EXPECT_EQ(PlayedRows(decoded), PlayedRows(editor_->RowList()));
        EXPECT_EQ(library_->FileBytes(), library_->MemoryBytes());
    }

private:
    std::unique_ptr<EditorLibrary> library_;
    std::unique_ptr<MacroEditor> editor_;
};

inline std::string LayoutName(const ::testing::TestParamInfo<BodyLayout>& info)
{
    return info.param == BodyLayout::Eeprom ? "Eeprom" : "Driver";
}

}  // namespace qeltra3k::macros::testing
