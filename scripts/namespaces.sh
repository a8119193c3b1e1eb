# shellcheck shell=bash
# Sourced by run.sh and test.sh: whether this user may make the network
# namespaces in which the demo and the tests run, checked before anything is
# built. Root makes them directly; an ordinary user inside a user namespace of
# their own, where they count as root (Debian allows that by default).
# tools/privlan.sh picks the same way by itself.

# Runs a command in a fresh network namespace (with a user namespace around it
# when not root); only loopback is up there.
vf_isolated() {
  local user=()
  [[ $(id -u) -ne 0 ]] && user=(--user --map-root-user)
  unshare "${user[@]}" --net -- bash -c 'ip link set lo up && "$@"' isolated "$@"
}

# Succeeds when vf_isolated can work here; otherwise says what is needed.
vf_check_namespaces() {
  local user=()
  [[ $(id -u) -ne 0 ]] && user=(--user --map-root-user)
  unshare "${user[@]}" --net -- true 2>/dev/null && return 0
  if [[ $(id -u) -eq 0 ]]; then
    echo "This needs network namespaces, which this system refuses even to root (in a container, give it CAP_SYS_ADMIN)." >&2
  else
    echo "This needs network namespaces: run it as root, or allow unprivileged user namespaces (sysctl kernel.unprivileged_userns_clone=1 and user.max_user_namespaces above 0)." >&2
  fi
  return 1
}
