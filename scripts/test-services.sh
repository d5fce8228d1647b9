# Sourced by scripts/test: starts what the integration tests talk to (nothing yet) and stops what it
# started.
veloria_start_test_services() { :; }
veloria_stop_test_services() { :; }
