// Implemented in its own change.
