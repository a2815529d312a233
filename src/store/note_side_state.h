#pragma once

// Private state of the notes side of AppStore.
struct NoteSideState
{
};
