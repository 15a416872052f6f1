// Simulated host library.
