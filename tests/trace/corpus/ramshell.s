; A test program's shell: it copies its runner to RAM and runs it there; the
; runner calls each test in ROM, and jumps back to ROM to report. The tests use unofficial opcodes, so that nothing but the
; runner's calls leads to them: the copy is the only way in.
.setcpu "6502X"
.import __RAMCODE_LOAD__: absolute, __RAMCODE_RUN__: absolute, __RAMCODE_SIZE__: absolute

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
result: .res 1
temp:   .res 2

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
copy:
  lda __RAMCODE_LOAD__,x
  sta __RAMCODE_RUN__,x
  inx
  cpx #<__RAMCODE_SIZE__
  bne copy
  jmp runner

report:
  lda result
  sta $6000
  lda #$80
  sta $6001
done:
  jmp done

test_lax:
  lax temp
  sax temp+1
  dcp temp
  rts

test_shifts:
  lda #$55
  slo temp
  rla temp+1
  sre temp
  rra temp+1
  rts

test_imm:
  lda #$F0
  anc #$C0
  alr #$7E
  arr #$3F
  ldx #$10
  axs #$04
  isc temp
  rts

nmi:
irq:
  rti

.segment "RAMCODE"
runner:
  lda #0
  sta result
  jsr test_lax
  inc result
  jsr test_shifts
  inc result
  jsr test_imm
  inc result
  jmp report

.segment "VECTORS"
  .word nmi, reset, irq
