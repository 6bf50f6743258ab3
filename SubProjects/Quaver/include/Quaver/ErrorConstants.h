#pragma once

namespace Quaver {

// How grave a recorded failure is; chooses the icon of TagError::Show.
enum ErrorConstants : int
{
    Information = 0,
    Exclamation = 1,
    Critical = 2,
};

} // namespace Quaver
