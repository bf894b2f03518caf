; A game whose main loop jumps through its state, times three, into a
; table of JMPs, and whose routines ask for services with BRK and a service
; number after it; the BRK handler reads the number through the return
; address and starts the service through a table of (address - 1) words.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
vec:    .res 2
bptr:   .res 2
state:  .res 1
frame:  .res 1
save_a: .res 1
save_x: .res 1
timer:  .res 1

SYS_CLEAR = 0
SYS_BEEP  = 1
SYS_SCORE = 2

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx state
  stx $2001
  lda #$80
  sta $2000
  cli
main_loop:
  jsr wait_frame
  lda state
  asl a
  adc state
  clc
  adc #<state_jumps
  sta vec
  lda #0
  adc #>state_jumps
  sta vec+1
  jsr dispatch
  jmp main_loop

dispatch:
  jmp (vec)

state_jumps:
  jmp st_title
  jmp st_play
  jmp st_pause
  jmp st_over

st_title:
  brk
  .byte SYS_CLEAR
  lda $4016
  and #$10
  beq @stay
  inc state
@stay:
  rts

st_play:
  brk
  .byte SYS_SCORE
  dec timer
  bne @on
  lda #3
  sta state
@on:
  lda $4016
  and #$08
  beq @done
  brk
  .byte SYS_BEEP
  lda #2
  sta state
@done:
  rts

st_pause:
  lda $4016
  and #$08
  beq @wait
  dec state
@wait:
  rts

st_over:
  brk
  .byte SYS_BEEP
  brk
  .byte SYS_CLEAR
  lda #0
  sta state
  rts

wait_frame:
  lda frame
@wait:
  cmp frame
  beq @wait
  rts

nmi:
  inc frame
  rti

; BRK and the IRQ line both come here; for a BRK the byte after it names
; the service, and the service ends with the RTI.
irq_brk:
  sta save_a
  stx save_x
  pla
  pha
  and #$10
  beq @line
  tsx
  lda $0102,x
  sec
  sbc #1
  sta bptr
  lda $0103,x
  sbc #0
  sta bptr+1
  ldx #0
  lda (bptr,x)
  asl a
  tax
  lda services+1,x
  pha
  lda services,x
  pha
  ldx save_x
  lda save_a
  rts
@line:
  ldx save_x
  lda save_a
  rti

services:
  .addr sys_clear - 1, sys_beep - 1, sys_score - 1

sys_clear:
  lda #0
  ldx #0
@fill:
  sta $0200,x
  inx
  bne @fill
  rti

sys_beep:
  lda #$8F
  sta $4000
  lda #$40
  sta $4003
  rti

sys_score:
  sed
  lda $0300
  clc
  adc #1
  sta $0300
  cld
  rti

.segment "VECTORS"
  .addr nmi, reset, irq_brk
