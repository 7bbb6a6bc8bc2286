# Sourced by the accessibility checks: runs a Python checker against a copy
# of the program (so that Save writes NIK.log into the run's folder) in a
# private D-Bus session, which brings up the accessibility bus, and leaves
# out the bus's own chatter.
#   run_checker <checker.py> <program> <work folder> [checker arguments...]; exits with the
#   checker's status
run_checker() {
    cp "$2" "$3/quillmark"
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        timeout 130 dbus-run-session -- /usr/bin/python3 "$1" "$3/quillmark" "${@:4}" 2>&1 |
        grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' \
            -e 'SpiRegistry daemon'
    exit "${PIPESTATUS[0]}"
}
