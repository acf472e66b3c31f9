# Registry, file query and program start, used by the system-information launch.
