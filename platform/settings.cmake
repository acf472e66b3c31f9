# The per-user settings store.
