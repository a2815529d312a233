#pragma once

// Private state of the clipboard side of AppStore (search cache, picture fingerprints).
struct ClipSideState
{
};
