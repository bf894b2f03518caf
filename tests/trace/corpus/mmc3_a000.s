; MMC3 with bit 6 of the bank select set: 8 KiB banks switched at A000 (R7)
; and at C000 (R6), the code fixed at 8000 and E000 calling into both after
; a switch routine that writes the bank again when an NMI came in the
; middle, and after bank writes of its own; the bank at A000 calls into the
; one it puts at C000.
.segment "HEADER"
  .byte "NES", $1A, 4, 0, $40, $00
  .res 8, 0

.segment "ZEROPAGE"
frame:   .res 1
want:    .res 1
nmi_hit: .res 1
ptr:     .res 2
score:   .res 1

.segment "B0CODE"
; Draws the title row (at A000).
title:
  lda #$20
  sta $2006
  lda #$40
  sta $2006
  ldx #0
@next:
  lda title_text, x
  beq @done
  sta $2007
  inx
  bne @next
@done:
  ; from A000 into the bank it puts at C000
  lda #5
  jsr switch_c000
  jsr cool
  rts
title_text:
  .byte "MMC3 AT A000", 0

.segment "B1CODE"
; Moves the player (at C000): speed from the table beside it.
move:
  lda frame
  and #3
  tax
  lda speeds, x
  clc
  adc score
  sta score
  rts
.segment "B1DATA"
speeds:
  .byte 1, 2, 3, 2

.segment "B2CODE"
; Plays a note (at A000).
play:
  lda frame
  and #$0F
  ora #$30
  sta $4000
  lda #$08
  sta $4001
  rts

.segment "B3DATA"
enemy_table:
  .addr enemy_wait, enemy_run
.segment "B3CODE"
; Runs enemy X's handler (at C000).
think:
  lda frame
  and #1
  asl a
  tax
  lda enemy_table, x
  sta ptr
  lda enemy_table+1, x
  sta ptr+1
  jmp (ptr)
enemy_wait:
  rts
enemy_run:
  inc $0300
  rts

.segment "B4DATA"
  .byte "LEVEL DATA LIVES IN THIS BANK", 0
  .byte $11, $22, $33, $44, $55, $66, $77, $88

.segment "B5CODE"
; Counts the score down (at C000).
cool:
  lda score
  beq :+
  dec score
: rts

.segment "B6CODE"
; The game's frame, fixed at 8000.
game_step:
  lda #1
  jsr switch_c000
  jsr move
  lda #2
  jsr switch_a000
  jsr play
  lda #3
  jsr switch_c000
  jsr think
  ; a bank write of its own: R6 with bit 6 set
  lda #$46
  sta $8000
  lda #5
  sta $8001
  jsr cool
  rts

.segment "B6DATA"
  .byte $FF, $00, $FF, $00

.segment "B7CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #0
  sta $E000
  lda #0
  jsr switch_a000
  jsr title
  lda #$80
  sta $2000
@loop:
  lda frame
@wait:
  cmp frame
  beq @wait
  jsr game_step
  jmp @loop

; Switches the bank in A in at C000 (R6, bit 6 set), again when an NMI
; came during the writes.
switch_c000:
  ldx #$46
  stx $8000
  sta $8001
  sta want
@retry:
  lda #0
  sta nmi_hit
  lda want
  ldx #$46
  stx $8000
  sta $8001
  lda nmi_hit
  bne @retry
  rts

; Switches the bank in A in at A000 (R7).
switch_a000:
  ldx #$47
  stx $8000
  sta $8001
  rts

nmi:
  inc frame
  inc nmi_hit
irq:
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
