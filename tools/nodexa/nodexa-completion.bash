# Bash completion for the nodexa command: subcommands, global options and
# the values that come from a fixed set. Installed as
# share/bash-completion/completions/nodexa; to try it from a build tree:
#   source tools/nodexa/nodexa-completion.bash
_nodexa() {
  local cur prev subcommand word
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  local subcommands="find-ports find-all-ports find-filtered configure-ip register-subnets
    create-p2p-port verify-shared-printer add-firewall-exception remove-firewall-exception
    ina-attached ina-default ina-printer-exists get-scanner-registration
    set-scanner-registration validate-text"
  local globals="--medium --machine --log --json --format --raw --wide --help --version"

  case "$prev" in
    --medium | --machine) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --log) COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --format) COMPREPLY=($(compgen -W "table json csv tsv" -- "$cur")); return ;;
  esac

  subcommand=""
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case " $subcommands " in *" $word "*) subcommand=$word; break ;; esac
  done
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$globals" -- "$cur"))
  elif [[ -z $subcommand ]]; then
    COMPREPLY=($(compgen -W "$subcommands" -- "$cur"))
  else
    case "$subcommand" in
      find-ports | find-all-ports)
        COMPREPLY=($(compgen -W "Inkjet LaserPrinter LaserScanner" -- "$cur")) ;;
      add-firewall-exception) COMPREPLY=($(compgen -W "P2P NA Local" -- "$cur")) ;;
    esac
  fi
}
complete -F _nodexa nodexa
