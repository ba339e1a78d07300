# Sourced by CI scripts run as root: a throwaway ordinary account, orvel-contributor, with a
# home folder of mode 700. Sets CONTRIBUTOR and CONTRIBUTOR_HOME.
CONTRIBUTOR=orvel-contributor
id "$CONTRIBUTOR" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$CONTRIBUTOR"
CONTRIBUTOR_HOME=$(getent passwd "$CONTRIBUTOR" | cut -d: -f6)
chmod 700 "$CONTRIBUTOR_HOME"

# as_contributor COMMAND: runs a shell command as that account, in its home, with a plain
# environment.
as_contributor() {
  runuser -u "$CONTRIBUTOR" -- env -i HOME="$CONTRIBUTOR_HOME" USER="$CONTRIBUTOR" \
    LOGNAME="$CONTRIBUTOR" PATH=/usr/local/bin:/usr/bin:/bin bash -c "cd ~ && $1"
}
