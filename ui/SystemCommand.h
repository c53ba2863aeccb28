#pragma once

// Ids of the system menu's commands.
namespace SystemCommand {
inline constexpr unsigned kMove = 0xF010;
inline constexpr unsigned kMinimize = 0xF020;
inline constexpr unsigned kClose = 0xF060;
inline constexpr unsigned kRestore = 0xF120;
} // namespace SystemCommand
