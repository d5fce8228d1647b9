#pragma once

// The results a settings window or dialog ends with. A caller acts only on Ok; Cancel and Close (the close
// box, Escape, the "Close" buttons) leave everything as it was.
namespace ModalResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Close = 8;
} // namespace ModalResult
