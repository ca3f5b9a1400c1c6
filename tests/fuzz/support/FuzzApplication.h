#pragma once

// Starts one headless application for the fuzzer's whole run (fonts and painting need it).
void EnsureFuzzApplication();
