// The inter-plug-in protocol's numbers: the plug-in's signature, the message
// numbers and the layout of the command record. Other plug-ins that talk to
// ours (the peer plug-in, the soak, the runner's flight trace) take them
// from here: the one header the stand-in and the plug-in share, so it
// includes nothing of either.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quil {

constexpr char kPluginSignature[] = "rv.quil.plugin";

// Message numbers; those with the top bit set arrive as negative ints, so
// they are compared as unsigned.
constexpr uint32_t qAFDS_STATE_REQUEST = 0x74000002;
constexpr uint32_t qAFDS_LOADED = 0x84000000;
constexpr uint32_t qAFDS_ACTIVATED = 0x84000001;
constexpr uint32_t qAFDS_ACTIVATE_COMMAND = 0x74000003;
constexpr uint32_t qAFDS_COMMAND = 0x74000010;
constexpr uint32_t AfdsCommandReply = 0x74000015;
constexpr uint32_t qAFDS_FEEDING_N1_LIMITS = 0x7400001a;
constexpr uint32_t SwitchCommand = 0x7400002f;
constexpr uint32_t qAFDS_CONNECT_AUTOPILOT = 0x74000090;
constexpr uint32_t GroundServiceHello = 0x88888880;
constexpr uint32_t GroundServiceState = 0x8888888c;
constexpr uint32_t GroundServiceTakeover = 0x88888881;
constexpr uint32_t ExternalPowerConnect = 0x88888882;
constexpr uint32_t ExternalPowerDisconnect = 0x88888883;
constexpr uint32_t GroundPowerRequest = 0x88888889;
constexpr uint32_t GroundPowerRelease = 0x8888888a;

// The command record, little-endian, as other plug-ins lay it out. It is
// only ever read through these offsets: the sender's memory promises no
// alignment, and its padding is the sender's. The last four of its 24
// bytes are reserved; a reply fills the first 20.
constexpr std::uint32_t kRecordMagic = 12345678;
constexpr std::size_t kMagicBytes = 4;
constexpr std::size_t kCommandRecordBytes = 24;
constexpr std::size_t kReplyRecordBytes = 20;
constexpr std::size_t kMagicOffset = 0;
constexpr std::size_t kModeOffset = 4;
constexpr std::size_t kCommandOffset = 8;
constexpr std::size_t kActionOffset = 12;
constexpr std::size_t kValueOffset = 16;

// Request actions; a reply says on, off or not supported.
constexpr std::uint8_t kActionSet = 0;
constexpr std::uint8_t kActionOn = 1;
constexpr std::uint8_t kActionOff = 2;
constexpr std::uint8_t kActionQuery = 3;
constexpr std::uint8_t kReplyOn = 1;
constexpr std::uint8_t kReplyOff = 2;
constexpr std::uint8_t kReplyNotSupported = 4;

// The autopilot connection's values.
constexpr std::int32_t kConnect = 1;
constexpr std::int32_t kDisconnect = 0;

// The record's mode picks a group of commands. The MCP items:
constexpr std::uint8_t kThrustGroup = 1;
constexpr std::int32_t kAtArmCommand = 1;
constexpr std::int32_t kN1Command = 2;
constexpr std::int32_t kSpeedCommand = 6;
constexpr std::uint8_t kPitchGroup = 2;
constexpr std::int32_t kVsArmCommand = 2;
constexpr std::int32_t kVsCommand = 3;
constexpr std::int32_t kLvlChgCommand = 5;
constexpr std::int32_t kAltHoldCommand = 6;
constexpr std::int32_t kVnavCommand = 7;
constexpr std::uint8_t kRollGroup = 3;
constexpr std::int32_t kHdgSelCommand = 1;
constexpr std::int32_t kLnavCommand = 2;
constexpr std::int32_t kVorLocCommand = 3;
// The switches:
constexpr std::uint8_t kCabinGroup = 1;
constexpr std::int32_t kGalleyCommand = 1;
constexpr std::int32_t kCabinLightCommand = 2;
constexpr std::uint8_t kAntiIceGroup = 2;
constexpr std::int32_t kEveryAntiIceCommand = 1;
constexpr std::int32_t kWingAntiIceCommand = 2;
constexpr std::int32_t kEngineAntiIceCommand = 3;
constexpr std::int32_t kProbeHeatCommand = 4;
constexpr std::int32_t kWindowHeatCommand = 5;

}  // namespace quil
