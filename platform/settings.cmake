# The per-user settings store.
target_sources(calculator_platform PRIVATE SettingsStore.cpp SettingsStore.h)
