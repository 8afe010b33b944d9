// The aircraft's configuration file as an aircraft author writes it: each
// key found anywhere in the text, its quoted value, the defaults of absent
// keys, what a malformed or missing file leaves, and the paths derived from
// the aircraft's location.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "host/config.h"
#include "host/served_aircraft.h"
#include "render/colours.h"
#include "sim/paths.h"
#include "sim/settings.h"
#include "sim/sim_binding.h"
#include "standin/internal.h"
#include "support/host_fixture.h"
#include "support/test_aircraft.h"
#include "systems/fuel.h"

namespace {

namespace fs = std::filesystem;
using quil::DisplayScheme;
using quil::FuelUnit;
using quil::PressureUnit;
using quil::TextSlot;

constexpr const char* kTailNumberRef = "sim/aircraft/view/acf_tailnum";
constexpr TextSlot kAllSlots[] = {TextSlot::CaptainName,  TextSlot::FirstOfficerName,
                                  TextSlot::Airline,      TextSlot::TailNumber,
                                  TextSlot::AircraftType, TextSlot::FlightNumber,
                                  TextSlot::FlightDate};

std::string text(TextSlot slot) { return quil::GetText(slot); }

std::vector<standin::DataRefWrite> tailNumberWrites() {
    std::vector<standin::DataRefWrite> writes;
    for (const standin::DataRefWrite& write : standin::writeLog()) {
        if (write.name == kTailNumberRef) writes.push_back(write);
    }
    return writes;
}

class Configuration : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        quil::BindSimulatorState();
        setEarlierSettings();
    }

    // Settings unlike the defaults, so that an applied default shows.
    static void setEarlierSettings() {
        for (TextSlot slot : kAllSlots) quil::SetText(slot, "earlier");
        quil::SetPressureUnit(PressureUnit::Hectopascals);
        quil::SetForwardAuxTanks(2);
        quil::SetAftAuxTanks(3);
        quil::SetPumpShutoffLogic(false);
        quil::SetDisplayScheme(DisplayScheme::Amber);
        quil::SetFuelUnit(FuelUnit::Pounds);
    }

    // An aircraft by another maker, so only its file can make it served.
    static std::string aircraftWith(std::optional<std::string> configuration,
                                    const std::string& author = "Someone Else",
                                    const std::string& description = "A glider") {
        quiltest::TestAircraft aircraft;
        aircraft.author = author;
        aircraft.description = description;
        aircraft.configuration = std::move(configuration);
        return quiltest::makeAircraft(aircraft);
    }

    static int read(const std::string& configuration) {
        standin::setAircraft(aircraftWith(configuration));
        return quil::ReadConfiguration();
    }
};

TEST_F(Configuration, AFileOfUnrelatedTextGivesEveryKeyItsDefaultAndServesTheAircraft) {
    standin::setAircraft(aircraftWith("Notes about this aircraft: none.\n"));
    EXPECT_EQ(quil::BindSimulatorState(), 1) << "a readable file makes the aircraft served";
    EXPECT_EQ(text(TextSlot::TailNumber), "q-uil");
    EXPECT_EQ(standin::getBytes(kTailNumberRef), "q-uil");
    EXPECT_EQ(quil::CurrentDisplayScheme(), DisplayScheme::Amber);
    EXPECT_EQ(quil::CurrentFuelUnit(), FuelUnit::Pounds);
    EXPECT_EQ(text(TextSlot::AircraftType), "Boeing 737-800/w");
    EXPECT_EQ(quil::CurrentPressureUnit(), PressureUnit::InchesOfMercury);
    EXPECT_EQ(quil::AuxTankCount(), 0);
    EXPECT_TRUE(quil::PumpShutoffLogic());
    EXPECT_EQ(text(TextSlot::CaptainName), "Pell Orvik");
    EXPECT_EQ(text(TextSlot::FirstOfficerName), "Temo Vasqueline");
    EXPECT_EQ(text(TextSlot::Airline), "quil project");
    EXPECT_EQ(text(TextSlot::FlightNumber), "earlier") << "no key sets the flight number";
    EXPECT_EQ(text(TextSlot::FlightDate), "earlier") << "no key sets the date";
}

TEST_F(Configuration, AMissingOrEmptyFileAppliesOnlyTheTwoResetsAndServesNothing) {
    for (const std::optional<std::string>& file :
         {std::optional<std::string>(), std::optional<std::string>("")}) {
        const char* which = file ? "empty file" : "missing file";
        setEarlierSettings();
        standin::setAircraft(aircraftWith(file));
        EXPECT_EQ(quil::ReadConfiguration(), -1) << which;
        EXPECT_EQ(quil::CurrentDisplayScheme(), DisplayScheme::White) << which;
        EXPECT_EQ(quil::CurrentFuelUnit(), FuelUnit::Kilograms) << which;
        EXPECT_EQ(text(TextSlot::TailNumber), "earlier") << which;
        EXPECT_EQ(quil::CurrentPressureUnit(), PressureUnit::Hectopascals) << which;
        EXPECT_EQ(quil::AuxTankCount(), 5) << which;
        EXPECT_FALSE(quil::PumpShutoffLogic()) << which;
        EXPECT_EQ(quil::BindSimulatorState(), -1) << which << ": another maker's aircraft";

        standin::setAircraft(aircraftWith(file, "Orrin Valdemarsson", "Boeing 737-800"));
        EXPECT_EQ(quil::BindSimulatorState(), 1) << which << ": known by author and description";
    }
}

TEST_F(Configuration, AValueWithoutItsOpeningQuoteKeepsTheEarlierValue) {
    ASSERT_EQ(read("tailnum = \"OY-ABC\"\n"), 0);
    ASSERT_EQ(text(TextSlot::TailNumber), "OY-ABC");
    standin::clearWriteLog();
    ASSERT_EQ(read("tailnum = OY-XYZ\"\n"), 0);
    EXPECT_EQ(text(TextSlot::TailNumber), "OY-ABC") << "neither the new value nor the default";
    EXPECT_TRUE(tailNumberWrites().empty());
}

TEST_F(Configuration, AnEmptyValueKeepsTheEarlierValue) {
    ASSERT_EQ(read("airline = \"Nordic Air\""), 0);
    ASSERT_EQ(read("airline = \"\""), 0);
    EXPECT_EQ(text(TextSlot::Airline), "Nordic Air");
}

TEST_F(Configuration, AKeyAbsentFromALaterFileGetsItsDefaultAgain) {
    ASSERT_EQ(read("airline = \"Nordic Air\""), 0);
    ASSERT_EQ(read("captain_name = \"A. Berg\""), 0);
    EXPECT_EQ(text(TextSlot::Airline), "quil project");
    EXPECT_EQ(text(TextSlot::CaptainName), "A. Berg");
}

struct WordCase {
    const char* file;
    int expected;
};

TEST_F(Configuration, FuelUnitWordsAndTheResetToKilograms) {
    const WordCase cases[] = {
        {"fuel_unit = \"fuel_kg\"", static_cast<int>(FuelUnit::Kilograms)},
        {"fuel_unit = \"fuel_lb\"", static_cast<int>(FuelUnit::Pounds)},
        {"fuel_unit = \"fuel_gal\"", static_cast<int>(FuelUnit::Kilograms)},
        {"fuel_unit = \"FUEL_LB\"", static_cast<int>(FuelUnit::Kilograms)},
        {"fuel_unit = \"fuel_lb \"", static_cast<int>(FuelUnit::Kilograms)},
    };
    for (const WordCase& c : cases) {
        quil::SetFuelUnit(FuelUnit::Pounds);
        ASSERT_EQ(read(c.file), 0) << c.file;
        EXPECT_EQ(static_cast<int>(quil::CurrentFuelUnit()), c.expected) << c.file;
    }
}

TEST_F(Configuration, DisplaySchemeWordsAndTheResetToWhite) {
    const WordCase cases[] = {
        {"mcp_disp_color = \"amber_color\"", static_cast<int>(DisplayScheme::Amber)},
        {"mcp_disp_color = \"white_color\"", static_cast<int>(DisplayScheme::White)},
        {"mcp_disp_color = \"green_color\"", static_cast<int>(DisplayScheme::White)},
    };
    for (const WordCase& c : cases) {
        quil::SetDisplayScheme(DisplayScheme::Amber);
        ASSERT_EQ(read(c.file), 0) << c.file;
        EXPECT_EQ(static_cast<int>(quil::CurrentDisplayScheme()), c.expected) << c.file;
    }
}

TEST_F(Configuration, PressureUnitWordsAndUnknownWordsThatLeaveIt) {
    struct Case {
        const char* file;
        PressureUnit earlier;
        PressureUnit expected;
    };
    const Case cases[] = {
        {"qnh_unit = \"qnh_hPa\"", PressureUnit::InchesOfMercury, PressureUnit::Hectopascals},
        {"qnh_unit = \"qnh_inhg\"", PressureUnit::Hectopascals, PressureUnit::InchesOfMercury},
        {"qnh_unit = \"qnh_hpa\"", PressureUnit::InchesOfMercury, PressureUnit::InchesOfMercury},
        {"qnh_unit = \"qnh_hpa\"", PressureUnit::Hectopascals, PressureUnit::Hectopascals},
    };
    for (const Case& c : cases) {
        quil::SetPressureUnit(c.earlier);
        ASSERT_EQ(read(c.file), 0) << c.file;
        EXPECT_EQ(quil::CurrentPressureUnit(), c.expected) << c.file;
    }
}

TEST_F(Configuration, AuxTankCountsUpToFourForwardAndFiveAftAreAccepted) {
    struct Case {
        const char* forward;
        const char* aft;
        int earlierForward, earlierAft;
        int expectedTotal;
    };
    const Case cases[] = {
        {"4", "5", 0, 0, 9},   // both at their limits
        {"5", "5", 2, 0, 7},   // five forward is one too many: the two stay
        {"4", "6", 0, 3, 7},   // six aft is one too many: the three stay
        {"-1", "0", 1, 1, 1},  // negative counts are refused as well
        {"0", "0", 4, 5, 0},
        {" +3", "2 tanks", 0, 0, 5},
    };
    for (const Case& c : cases) {
        quil::SetForwardAuxTanks(c.earlierForward);
        quil::SetAftAuxTanks(c.earlierAft);
        const std::string file = std::string("nmb_fwd_auxtanks = \"") + c.forward +
                                 "\"\nnmb_aft_auxtanks = \"" + c.aft + "\"\n";
        ASSERT_EQ(read(file), 0) << file;
        EXPECT_EQ(quil::AuxTankCount(), c.expectedTotal) << file;
    }
}

TEST_F(Configuration, PumpShutoffLogicIsOffOnlyForFalse) {
    const std::pair<const char*, bool> cases[] = {
        {"false", false}, {"true", true}, {"no", true}, {"False", true}, {"false ", true},
    };
    for (const auto& [value, expected] : cases) {
        quil::SetPumpShutoffLogic(!expected);
        ASSERT_EQ(read(std::string("pump_shutoff_logic = \"") + value + "\""), 0) << value;
        EXPECT_EQ(quil::PumpShutoffLogic(), expected) << value;
    }
}

TEST_F(Configuration, ACommentedOutKeyAheadOfTheRealOneIsTheOneTaken) {
    ASSERT_EQ(read("# airline = \"Old Air\"\nairline = \"New Air\"\n"), 0);
    EXPECT_EQ(text(TextSlot::Airline), "Old Air");
}

TEST_F(Configuration, AKeyIsFoundInsideALongerWordButOnlyInItsOwnCase) {
    ASSERT_EQ(read("old_tailnum = \"OY-OLD\"\nCAPTAIN_NAME = \"Shouting\"\n"), 0);
    EXPECT_EQ(text(TextSlot::TailNumber), "OY-OLD");
    EXPECT_EQ(text(TextSlot::CaptainName), "Pell Orvik") << "not found: the default";
}

TEST_F(Configuration, AKeyIsFollowedByAnyMixOfSpacesAndEqualsSigns) {
    for (const char* file : {"tailnum=\"OY-A\"", "tailnum \"OY-A\"", "tailnum = = \"OY-A\"",
                             "tailnum\"OY-A\"", "tailnum  ==  \"OY-A\" trailing words"}) {
        quil::SetText(TextSlot::TailNumber, "earlier");
        ASSERT_EQ(read(file), 0) << file;
        EXPECT_EQ(text(TextSlot::TailNumber), "OY-A") << file;
    }
    for (const char* file : {"tailnum\t= \"OY-A\"", "tailnum\n\"OY-A\"", "tailnum : \"OY-A\""}) {
        quil::SetText(TextSlot::TailNumber, "earlier");
        ASSERT_EQ(read(file), 0) << file;
        EXPECT_EQ(text(TextSlot::TailNumber), "earlier") << file;
    }
}

TEST_F(Configuration, AValueEndsAtTheFirstByteThatCannotBeInIt) {
    const std::pair<std::string, const char*> cases[] = {
        {"Nordic # main operator", "Nordic "},
        {"Nordic! Air", "Nordic"},
        {"Nordic$", "Nordic"},
        {"Nordic%", "Nordic"},
        {"Nordic&Co", "Nordic"},
        {"Nordic\tAir", "Nordic"},
        {"Nordic\nAir", "Nordic"},
        {"Nordic\x7f" "Air", "Nordic\x7f" "Air"},
        {"Nordic\xc3\xa6r", "Nordic"},
        {std::string("Nordic\0Air", 10), "Nordic"},
        {"O'Hare (Sky) Air: 737-8/w; ~ok @ [x] {y} ^z_", "O'Hare (Sky) Air: 737-8/w; ~ok @ [x] {y} ^z_"},
    };
    for (const auto& [value, expected] : cases) {
        ASSERT_EQ(read("airline = \"" + value + "\" rest"), 0) << value;
        EXPECT_EQ(text(TextSlot::Airline), expected) << value;
    }
}

TEST_F(Configuration, AValueIsCutAfter256Characters) {
    // The 257th character would make four forward tanks; the aft count
    // takes its default of none.
    ASSERT_EQ(read("nmb_fwd_auxtanks = \"" + std::string(256, '0') + "4\""), 0);
    EXPECT_EQ(quil::AuxTankCount(), 0);
}

// 127 bytes, cut before a UTF-8 character that would not fit whole; bytes
// that are not UTF-8 count one each.
TEST_F(Configuration, TextsAreCutTo127BytesAtACharacterBoundary) {
    const std::string longName(200, 'n');
    ASSERT_EQ(read("captain_name = \"" + longName + "\""), 0);
    EXPECT_EQ(text(TextSlot::CaptainName), longName.substr(0, 127));
    struct Case {
        std::string text;
        size_t kept;  // bytes
    };
    const Case cases[] = {
        {std::string(300, 'x'), 127},
        {std::string(125, 'x') + "\xc3\xa9", 127},            // é ends at byte 127
        {std::string(126, 'x') + "\xc3\xa9", 126},            // é would straddle the cut
        {std::string(125, 'x') + "\xe2\x82\xac", 125},        // €
        {std::string(124, 'x') + "\xf0\x9f\x98\x80", 124},    // a four-byte character
        {std::string(123, 'x') + "\xf0\x9f\x98\x80y", 127},
        {std::string(127, 'x') + "\xc3\xa9", 127},
        {std::string(126, 'x') + "\x80\x80\x80", 127},        // stray continuation bytes
        {std::string(124, 'x') + "\xc3\xa9\xa9\xa9", 127},    // a character, then strays
    };
    for (TextSlot slot : kAllSlots) {
        for (const Case& c : cases) {
            quil::SetText(slot, c.text.c_str());
            EXPECT_EQ(text(slot), c.text.substr(0, c.kept))
                << "slot " << static_cast<int>(slot) << ", " << testing::PrintToString(c.text);
        }
    }
}

TEST_F(Configuration, TheTailNumberIsWrittenWithItsTerminatingZero) {
    ASSERT_EQ(read("tailnum = \"OY-QLAXYZ\""), 0);
    standin::clearWriteLog();
    ASSERT_EQ(read("tailnum = \"D-AB\""), 0);
    EXPECT_EQ(standin::getBytes(kTailNumberRef), "D-AB") << "nothing of the longer one behind";
    const std::vector<standin::DataRefWrite> writes = tailNumberWrites();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].offset, 0);
    EXPECT_EQ(writes[0].values, (std::vector<double>{'D', '-', 'A', 'B', 0}));
}

// Each of its keys is found on its own line, never in a comment first: the
// earlier settings would otherwise stay.
TEST_F(Configuration, TheDemoAircraftIsServedWithEveryKeyOfItsFile) {
    standin::setAircraft(quiltest::demoAircraftPath());
    standin::setBytes("sim/aircraft/view/acf_author", "Someone Else");
    EXPECT_EQ(quil::BindSimulatorState(), 1) << "served through its configuration file";
    EXPECT_EQ(standin::getBytes(kTailNumberRef), "OY-QLA");
    EXPECT_EQ(text(TextSlot::TailNumber), "OY-QLA");
    EXPECT_EQ(quil::CurrentDisplayScheme(), DisplayScheme::Amber);
    EXPECT_EQ(quil::CurrentFuelUnit(), FuelUnit::Pounds);
    EXPECT_EQ(text(TextSlot::AircraftType), "Boeing 737-800/w");
    EXPECT_EQ(quil::CurrentPressureUnit(), PressureUnit::InchesOfMercury);
    EXPECT_EQ(quil::AuxTankCount(), 0);
    EXPECT_TRUE(quil::PumpShutoffLogic());
    EXPECT_EQ(text(TextSlot::CaptainName), "Pell Orvik");
    EXPECT_EQ(text(TextSlot::FirstOfficerName), "Temo Vasqueline");
    EXPECT_EQ(text(TextSlot::Airline), "quil project");
}

TEST_F(Configuration, AFileBeyondTheSizeLimitIsRefusedAndOneAtItIsRead) {
    const std::string acf = aircraftWith(std::string("airline = \"Big Air\""));
    const fs::path file = fs::path(acf).parent_path() / "conf" / "quil.cnf";
    standin::setAircraft(acf);
    fs::resize_file(file, quil::kMaxConfigurationBytes);
    EXPECT_EQ(quil::ReadConfiguration(), 0);
    EXPECT_EQ(text(TextSlot::Airline), "Big Air");

    quil::SetText(TextSlot::Airline, "earlier");
    fs::resize_file(file, quil::kMaxConfigurationBytes + 1);
    EXPECT_EQ(quil::ReadConfiguration(), -1);
    EXPECT_EQ(text(TextSlot::Airline), "earlier");
}

// A NUL byte is one more byte that is not text: the keys after it are found,
// and a value ends at it.
TEST_F(Configuration, EveryKeyIsFoundWhateverNonTextBytesStandBeforeIt) {
    struct Case {
        std::string file;
        const char* tailNumber;
        const char* airline;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"\0tailnum = \"OY-NUL\"\nairline = \"Nul Air\""s, "OY-NUL", "Nul Air"},
        {"# notes\0\0\x01\xff\nairline = \"Nul Air\"\ntailnum=\"OY-NUL\""s, "OY-NUL", "Nul Air"},
        {"tailnum = \"OY\0NUL\"\n\x7f\x80" "airline = \"Nul\0Air\""s, "OY", "Nul"},
        {"tailnum\0 = \"OY-NUL\" airline = \0\"Nul Air\""s, "earlier", "earlier"},
    };
    for (const Case& c : cases) {
        setEarlierSettings();
        ASSERT_EQ(read(c.file), 0);
        EXPECT_EQ(text(TextSlot::TailNumber), c.tailNumber) << testing::PrintToString(c.file);
        EXPECT_EQ(text(TextSlot::Airline), c.airline) << testing::PrintToString(c.file);
    }
}

// A page that faults on any touch lies right after the text, so a read past
// the text ends the test.
class GuardedText {
public:
    GuardedText() {
        pageBytes_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        void* pages = mmap(nullptr, 2 * pageBytes_, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        base_ = pages == MAP_FAILED ? nullptr : static_cast<char*>(pages);
        if (base_ != nullptr) mprotect(base_ + pageBytes_, pageBytes_, PROT_NONE);
    }
    ~GuardedText() {
        if (base_ != nullptr) munmap(base_, 2 * pageBytes_);
    }
    bool ready() const { return base_ != nullptr; }
    size_t capacity() const { return pageBytes_; }
    // The bytes end right at the guard page, without a terminator.
    const char* place(const std::string& bytes) {
        char* start = base_ + pageBytes_ - bytes.size();
        std::memcpy(start, bytes.data(), bytes.size());
        return start;
    }

private:
    size_t pageBytes_ = 0;
    char* base_ = nullptr;
};

TEST_F(Configuration, ArbitraryBytesNeverReadPastTheTextNorOverfillASlot) {
    GuardedText guarded;
    ASSERT_TRUE(guarded.ready());
    // Pieces that reach deep into the parser, mixed with random bytes.
    const std::vector<std::string> pieces = {
        "tailnum", "airline", "fo_name", "nmb_fwd_auxtanks", "nmb_aft_auxtanks", "fuel_unit",
        "mcp_disp_color", "qnh_unit", "pump_shutoff_logic", "captain_name", "aircraft_type",
        "\"", " ", "=", " = \"", "#", "\n", std::string(300, 'v'), std::string(130, ' '),
        std::string(1, '\0'),
    };
    std::mt19937 random(7373);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> pieceCount(0, 40);
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        const int count = pieceCount(random);
        for (int i = 0; i < count; ++i) {
            if (byte(random) < 96) {
                bytes += pieces[piece(random)];
            } else {
                bytes += static_cast<char>(byte(random));
            }
        }
        bytes = bytes.substr(0, std::min(bytes.size(), guarded.capacity()));
        quil::ParseConfiguration(guarded.place(bytes), bytes.size());
        for (TextSlot slot : kAllSlots) {
            ASSERT_LE(std::strlen(quil::GetText(slot)), quil::kTextSlotLength)
                << "round " << round << ", slot " << static_cast<int>(slot);
        }
        if (round % 500 == 0) standin::clearWriteLog();
    }
}

// ---- Paths ------------------------------------------------------------------

TEST_F(Configuration, TheFileLivesInConfBesideTheAircraftFile) {
    standin::setAircraft("/x-plane/Aircraft/Quil737/Quil737.acf");
    EXPECT_EQ(quil::AircraftFolder(), "/x-plane/Aircraft/Quil737/");
    EXPECT_EQ(quil::ConfigurationPath(), "/x-plane/Aircraft/Quil737/conf/quil.cnf");
}

TEST_F(Configuration, PaintFilesReplaceTheAircraftFilesExtension) {
    standin::setAircraft("/x-plane/Aircraft/Quil737/Quil737.acf");
    std::string paint, liteMap;
    EXPECT_TRUE(quil::PaintPaths(paint, liteMap));
    EXPECT_EQ(paint, "/x-plane/Aircraft/Quil737/Quil737_paint.png");
    EXPECT_EQ(liteMap, "/x-plane/Aircraft/Quil737/Quil737_paint_lit.png");
}

TEST_F(Configuration, WithoutAnAircraftNothingIsReadFromTheWorkingFolder) {
    const fs::path folder = fs::path(QUIL_BUILD_DIR) / "test-aircraft" /
                            std::to_string(getpid()) / "working-folder";
    fs::create_directories(folder / "conf");
    std::ofstream(folder / "conf" / "quil.cnf") << "tailnum = \"STRAY\"";
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    standin::setAircraft("");
    const int result = quil::ReadConfiguration();
    std::string paint, liteMap;
    const bool painted = quil::PaintPaths(paint, liteMap);
    fs::current_path(previous);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(text(TextSlot::TailNumber), "earlier");
    EXPECT_FALSE(painted);
    EXPECT_EQ(quil::ConfigurationPath(), "");
}

TEST_F(Configuration, AnAircraftPathTooLongForTheHostsBufferIsRefused) {
    // Nested folders whose path exceeds the host's 512-byte buffer, holding
    // a real configuration that a cut-short path must never stand in for.
    fs::path folder = fs::path(QUIL_BUILD_DIR) / "test-aircraft" / std::to_string(getpid());
    while (folder.string().size() < 520) folder /= std::string(60, 'd');
    fs::create_directories(folder / "conf");
    std::ofstream(folder / "conf" / "quil.cnf") << "tailnum = \"TOO-LONG\"";
    standin::setAircraft((folder / "Long.acf").string());
    EXPECT_EQ(quil::ReadConfiguration(), -1);
    EXPECT_EQ(text(TextSlot::TailNumber), "earlier");
    EXPECT_EQ(quil::ConfigurationPath(), "");
    std::string path;
    EXPECT_FALSE(quil::ResolveTexturePath("quilfonts.png", path));

    const std::string fits = "/" + std::string(500, 'f') + "/A.acf";  // 507 characters
    standin::setAircraft(fits);
    EXPECT_EQ(quil::ConfigurationPath(), "/" + std::string(500, 'f') + "/conf/quil.cnf");
}

class TexturePaths : public Configuration {
protected:
    void SetUp() override {
        Configuration::SetUp();
        probe_ = loadProbe();
        fileName_ = "config-test-" + std::to_string(getpid()) + ".png";
        const std::string probeFolder = fs::path(quiltest::probePath()).parent_path().string();
        pluginCopy_ = fs::path(probeFolder) / "quiltextures" / fileName_;
    }
    void TearDown() override {
        fs::remove(pluginCopy_);
        std::error_code stillInUse;
        fs::remove(pluginCopy_.parent_path(), stillInUse);  // only when left empty
        Configuration::TearDown();
    }
    static void put(const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "png";
    }
    // Resolved as the plug-in (here the probe) would, from inside its code.
    bool resolve(std::string& path) {
        standin::detail::PluginCall asPlugin(probe_, "a test");
        return quil::ResolveTexturePath(fileName_.c_str(), path);
    }

    XPLMPluginID probe_ = XPLM_NO_PLUGIN_ID;
    std::string fileName_;
    fs::path pluginCopy_;
};

TEST_F(TexturePaths, TheAircraftsTextureFolderComesFirst) {
    const std::string acf = aircraftWith(std::nullopt);
    const fs::path aircraftCopy = fs::path(acf).parent_path() / "quiltextures" / fileName_;
    put(aircraftCopy);
    put(pluginCopy_);
    standin::setAircraft(acf);
    std::string path;
    EXPECT_TRUE(resolve(path));
    EXPECT_EQ(path, aircraftCopy.string());
}

TEST_F(TexturePaths, ThePlugInsTextureFolderIsTheFallback) {
    standin::setAircraft(aircraftWith(std::nullopt));
    put(pluginCopy_);
    std::string path;
    EXPECT_TRUE(resolve(path));
    EXPECT_EQ(path, pluginCopy_.string());
}

TEST_F(TexturePaths, AFileInNeitherFolderFailsWithTheSecondCandidate) {
    standin::setAircraft(aircraftWith(std::nullopt));
    std::string path;
    EXPECT_FALSE(resolve(path));
    EXPECT_EQ(path, pluginCopy_.string());
}

}  // namespace
